/* Tables of a company database: VAT rates, closing adjustments, the point of
   sale's invoices, the chart of accounts and the vouchers the posting writes.
   Text columns have no character set: they hold 8-bit bytes as written. */

/* ---- VAT rates ---- */

create table TARIFA_IVA (
    TAIV_ID      integer       not null,
    TAIV_NOMBRE  varchar(40)   not null,
    TAIV_PORC    decimal(15,4) not null,
    constraint PK_TARIFA_IVA primary key (TAIV_ID),
    /* Invoices, accounts and adjustments refer to a rate by its value. */
    constraint UQ_TARIFA_IVA_PORC unique (TAIV_PORC)
);

/* ---- Closing adjustments ----
   AJUSTE_CIERRE holds the rows of a posting run, AJUSTE_CIERRE_AUTO the
   standing rows the rows of a day are derived from. Same columns, same order.
   A row sent with AJCI_ID 0 or null gets the next key of its generator. */

create table AJUSTE_CIERRE (
    AJCI_ID      integer       not null,
    AJCI_FECINI  date,
    AJCI_FECFIN  date,
    AJCI_PORC    decimal(15,4),
    AJCI_FACTOR  decimal(15,4),
    AJCI_PREFNO  varchar(4),
    constraint PK_AJUSTE_CIERRE primary key (AJCI_ID),
    constraint FK_AJUSTE_CIERRE_TARIFA foreign key (AJCI_PORC) references TARIFA_IVA (TAIV_PORC)
);
create index IX_AJUSTE_CIERRE_FECINI on AJUSTE_CIERRE (AJCI_FECINI);
/* The posting looks rows up by their last day: the rows still in force on a
   day are few, however many past days the table holds. */
create index IX_AJUSTE_CIERRE_FECFIN on AJUSTE_CIERRE (AJCI_FECFIN);

create table AJUSTE_CIERRE_AUTO (
    AJCI_ID      integer       not null,
    AJCI_FECINI  date,
    AJCI_FECFIN  date,
    AJCI_PORC    decimal(15,4),
    AJCI_FACTOR  decimal(15,4),
    AJCI_PREFNO  varchar(4),
    constraint PK_AJUSTE_CIERRE_AUTO primary key (AJCI_ID),
    constraint FK_AJUSTE_CIERRE_AUTO_TARIFA foreign key (AJCI_PORC) references TARIFA_IVA (TAIV_PORC)
);
create index IX_AJUSTE_CIERRE_AUTO_FECINI on AJUSTE_CIERRE_AUTO (AJCI_FECINI);
create index IX_AJUSTE_CIERRE_AUTO_FECFIN on AJUSTE_CIERRE_AUTO (AJCI_FECFIN);
/* The day's rows are derived from the standing row of each rate that starts
   latest: two rows of one rate starting on the same day would leave the choice
   to chance. A trigger names the clash; this index also stops two inserts
   running at once. A row without rate or start is null here and clashes with
   none. */
create unique index UQ_AJUSTE_CIERRE_AUTO_INICIO on AJUSTE_CIERRE_AUTO
    computed by (AJCI_PORC || ' ' || AJCI_FECINI);

create generator GEN_AJUSTE_CIERRE;
create generator GEN_AJUSTE_CIERRE_AUTO;

/* ---- Company settings: one row ---- */

create table EMPRESA (
    EMPR_ID           integer     not null,
    EMPR_NOMBRE       varchar(60) not null,
    EMPR_NIT          varchar(20),
    /* The tax number under which the point of sale registers sales to
       customers it does not identify: the sales the cash posting works on. */
    EMPR_NIT_CONTADO  varchar(20) not null,
    constraint PK_EMPRESA primary key (EMPR_ID),
    constraint CK_EMPRESA_UNA check (EMPR_ID = 1)
);

/* ---- Chart of accounts: the local chart and the NIIF chart side by side ---- */

create table CUENTA (
    CUEN_CODIGO  varchar(16) not null,
    CUEN_NOMBRE  varchar(60) not null,
    /* L: local chart, N: NIIF chart. */
    CUEN_PLAN    char(1)     not null,
    constraint PK_CUENTA primary key (CUEN_CODIGO),
    constraint CK_CUENTA_PLAN check (CUEN_PLAN in ('L', 'N'))
);

/* Accounts the cash posting uses for the sales at one VAT rate, in both charts:
   cash received, card and transfer receipts, revenue, and VAT payable (none for
   a rate that charges no VAT). */
create table CUENTA_TARIFA (
    CUTA_PORC          decimal(15,4) not null,
    CUTA_CAJA          varchar(16)   not null,
    CUTA_CAJA_NIIF     varchar(16)   not null,
    CUTA_TARJETA       varchar(16)   not null,
    CUTA_TARJETA_NIIF  varchar(16)   not null,
    CUTA_INGRESO       varchar(16)   not null,
    CUTA_INGRESO_NIIF  varchar(16)   not null,
    CUTA_IVA           varchar(16),
    CUTA_IVA_NIIF      varchar(16),
    constraint PK_CUENTA_TARIFA primary key (CUTA_PORC),
    constraint FK_CUENTA_TARIFA_TARIFA foreign key (CUTA_PORC) references TARIFA_IVA (TAIV_PORC),
    constraint FK_CUTA_CAJA foreign key (CUTA_CAJA) references CUENTA (CUEN_CODIGO),
    constraint FK_CUTA_CAJA_NIIF foreign key (CUTA_CAJA_NIIF) references CUENTA (CUEN_CODIGO),
    constraint FK_CUTA_TARJETA foreign key (CUTA_TARJETA) references CUENTA (CUEN_CODIGO),
    constraint FK_CUTA_TARJETA_NIIF foreign key (CUTA_TARJETA_NIIF) references CUENTA (CUEN_CODIGO),
    constraint FK_CUTA_INGRESO foreign key (CUTA_INGRESO) references CUENTA (CUEN_CODIGO),
    constraint FK_CUTA_INGRESO_NIIF foreign key (CUTA_INGRESO_NIIF) references CUENTA (CUEN_CODIGO),
    constraint FK_CUTA_IVA foreign key (CUTA_IVA) references CUENTA (CUEN_CODIGO),
    constraint FK_CUTA_IVA_NIIF foreign key (CUTA_IVA_NIIF) references CUENTA (CUEN_CODIGO)
);

/* ---- Vouchers ---- */

/* A voucher kind belongs to one book and numbers its vouchers consecutively.
   Taking a number updates the kind's row, so two postings of the same kind
   running at once queue on that row instead of sharing a number. */
create table TIPO_COMPROBANTE (
    TICO_CODIGO       varchar(4)  not null,
    TICO_NOMBRE       varchar(40) not null,
    /* L: local book, N: NIIF book. */
    TICO_LIBRO        char(1)     not null,
    TICO_CONSECUTIVO  integer     default 0 not null,
    constraint PK_TIPO_COMPROBANTE primary key (TICO_CODIGO),
    constraint CK_TIPO_COMPROBANTE_LIBRO check (TICO_LIBRO in ('L', 'N'))
);

create table COMPROBANTE (
    COMP_ID       integer     not null,
    TICO_CODIGO   varchar(4)  not null,
    COMP_NUMERO   integer     not null,
    COMP_FECHA    date        not null,
    /* The point of sale whose sales the voucher posts. */
    COMP_PREFIJO  varchar(4)  not null,
    COMP_DETALLE  varchar(80),
    /* The posting run that wrote the voucher, when and by which database user
       (the insert trigger sets the last two). */
    COMP_LOTE     integer     not null,
    COMP_CREADO   timestamp   default current_timestamp not null,
    COMP_USUARIO  varchar(63) default current_user not null,
    /* A: open, its lines being written; C: posted, balanced and unchangeable. */
    COMP_ESTADO   char(1)     default 'A' not null,
    /* Set when posted: the sum of the debits, the invoices posted and the
       first and last invoice numbers among them. */
    COMP_TOTAL         decimal(15,2),
    COMP_FACTURAS      integer,
    COMP_FACT_PRIMERA  integer,
    COMP_FACT_ULTIMA   integer,
    /* A reversal voucher names the voucher it reverses; a voucher is reversed
       at most once. */
    COMP_REVIERTE      integer,
    constraint PK_COMPROBANTE primary key (COMP_ID),
    constraint FK_COMPROBANTE_TIPO foreign key (TICO_CODIGO) references TIPO_COMPROBANTE (TICO_CODIGO),
    constraint UQ_COMPROBANTE_NUMERO unique (TICO_CODIGO, COMP_NUMERO),
    constraint CK_COMPROBANTE_ESTADO check (COMP_ESTADO in ('A', 'C')),
    constraint FK_COMPROBANTE_REVIERTE foreign key (COMP_REVIERTE) references COMPROBANTE (COMP_ID),
    constraint UQ_COMPROBANTE_REVIERTE unique (COMP_REVIERTE)
);
create index IX_COMPROBANTE_LOTE on COMPROBANTE (COMP_LOTE);
create index IX_COMPROBANTE_FECHA on COMPROBANTE (COMP_FECHA);

/* A line posts to the account of its voucher's book: CODE_CUENTA in the local
   book, CODE_CUENTA_NIIF in the NIIF book; the other column stays null. */
create table COMPROBANTE_DET (
    CODE_ID           integer       not null,
    COMP_ID           integer       not null,
    CODE_LINEA        smallint      not null,
    CODE_CUENTA       varchar(16),
    CODE_CUENTA_NIIF  varchar(16),
    CODE_PORC         decimal(15,4),
    CODE_DEBITO       decimal(15,2) default 0 not null,
    CODE_CREDITO      decimal(15,2) default 0 not null,
    CODE_DETALLE      varchar(60),
    /* Cash and card lines: the share received in cash that divided the sale,
       and the adjustment row it came from (table and key); both null when no
       row applied and the sale was taken as all cash (factor 1). */
    CODE_FACTOR        decimal(15,4),
    CODE_AJUSTE_TABLA  varchar(31),
    CODE_AJUSTE_ID     integer,
    /* Revenue and VAT lines: the third party, the cash customer's tax number. */
    CODE_NIT           varchar(20),
    constraint PK_COMPROBANTE_DET primary key (CODE_ID),
    constraint FK_COMPROBANTE_DET_COMP foreign key (COMP_ID) references COMPROBANTE (COMP_ID) on delete cascade,
    constraint FK_CODE_CUENTA foreign key (CODE_CUENTA) references CUENTA (CUEN_CODIGO),
    constraint FK_CODE_CUENTA_NIIF foreign key (CODE_CUENTA_NIIF) references CUENTA (CUEN_CODIGO),
    constraint UQ_COMPROBANTE_DET_LINEA unique (COMP_ID, CODE_LINEA),
    constraint CK_CODE_UNA_CUENTA check ((CODE_CUENTA is null and CODE_CUENTA_NIIF is not null)
                                      or (CODE_CUENTA is not null and CODE_CUENTA_NIIF is null)),
    constraint CK_CODE_IMPORTE check (CODE_DEBITO >= 0 and CODE_CREDITO >= 0
                                      and (CODE_DEBITO = 0 or CODE_CREDITO = 0))
);

create generator GEN_COMPROBANTE;
create generator GEN_COMPROBANTE_DET;
create generator GEN_LOTE_CONTADO;

/* ---- Sales of the point of sale ---- */

create table FACTURA (
    FACT_ID          integer     not null,
    FACT_PREFIJO     varchar(4)  not null,
    FACT_NUMERO      integer     not null,
    FACT_FECHA       date        not null,
    /* Customer's tax number. */
    FACT_NIT         varchar(20) not null,
    /* The voucher that posted the invoice, one per book; null while unposted. */
    FACT_COMP_LOCAL  integer,
    FACT_COMP_NIIF   integer,
    constraint PK_FACTURA primary key (FACT_ID),
    constraint UQ_FACTURA_NUMERO unique (FACT_PREFIJO, FACT_NUMERO),
    constraint FK_FACTURA_COMP_LOCAL foreign key (FACT_COMP_LOCAL) references COMPROBANTE (COMP_ID),
    constraint FK_FACTURA_COMP_NIIF foreign key (FACT_COMP_NIIF) references COMPROBANTE (COMP_ID)
);
/* The posting reads a range of days and, within a day, one point of sale. */
create index IX_FACTURA_FECHA_PREFIJO on FACTURA (FACT_FECHA, FACT_PREFIJO);

/* One line per VAT rate of an invoice: the taxable base and the VAT charged,
   both already rounded to the cent on the invoice. */
create table FACTURA_DET (
    FADE_ID    integer       not null,
    FACT_ID    integer       not null,
    FADE_PORC  decimal(15,4) not null,
    FADE_BASE  decimal(15,2) not null,
    FADE_IVA   decimal(15,2) not null,
    constraint PK_FACTURA_DET primary key (FADE_ID),
    constraint FK_FACTURA_DET_FACTURA foreign key (FACT_ID) references FACTURA (FACT_ID) on delete cascade,
    constraint FK_FACTURA_DET_TARIFA foreign key (FADE_PORC) references TARIFA_IVA (TAIV_PORC),
    constraint UQ_FACTURA_DET_TARIFA unique (FACT_ID, FADE_PORC),
    constraint CK_FADE_IMPORTE check (FADE_BASE >= 0 and FADE_IVA >= 0)
);

create generator GEN_FACTURA;
create generator GEN_FACTURA_DET;

/* ---- Keys from generators ----
   A row inserted with key 0 or null takes the next value of its generator;
   several such rows in one transaction each get their own. */

set term ^;

create trigger AJUSTE_CIERRE_BI for AJUSTE_CIERRE active before insert position 0 as
begin
    if (new.AJCI_ID is null or new.AJCI_ID = 0) then
        new.AJCI_ID = gen_id(GEN_AJUSTE_CIERRE, 1);
end^

create trigger AJUSTE_CIERRE_AUTO_BI for AJUSTE_CIERRE_AUTO active before insert position 0 as
begin
    if (new.AJCI_ID is null or new.AJCI_ID = 0) then
        new.AJCI_ID = gen_id(GEN_AJUSTE_CIERRE_AUTO, 1);
end^

create trigger FACTURA_BI for FACTURA active before insert position 0 as
begin
    if (new.FACT_ID is null or new.FACT_ID = 0) then
        new.FACT_ID = gen_id(GEN_FACTURA, 1);
end^

create trigger FACTURA_DET_BI for FACTURA_DET active before insert position 0 as
begin
    if (new.FADE_ID is null or new.FADE_ID = 0) then
        new.FADE_ID = gen_id(GEN_FACTURA_DET, 1);
end^

set term ;^

/* The key triggers hold the right to their generators, so a user needs only
   rights on the tables to insert rows. */
grant usage on generator GEN_AJUSTE_CIERRE to trigger AJUSTE_CIERRE_BI;
grant usage on generator GEN_AJUSTE_CIERRE_AUTO to trigger AJUSTE_CIERRE_AUTO_BI;
grant usage on generator GEN_FACTURA to trigger FACTURA_BI;
grant usage on generator GEN_FACTURA_DET to trigger FACTURA_DET_BI;
