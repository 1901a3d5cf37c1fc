/* The cash-sales posting.

   CONTADO_KALDEN (local book) and CONTADO_KALDEN_NIIF (NIIF book) post the
   invoices of the cash customer dated from FECINI to FECFIN, both included,
   that the book has not posted yet: one voucher per day and point of sale, with
   per VAT rate a cash debit, a card-and-transfer debit, a revenue credit and a
   VAT payable credit. The day's AJUSTE_CIERRE row for the rate (and prefix)
   gives the share of the sales received in cash (AJCI_FACTOR); without one, all
   of it is cash. Each invoice records the voucher that posted it, so a range is
   never posted twice by the same book.

   Everything is written before the first row is returned: a caller that stops
   fetching early still gets the whole range posted, or nothing if it rolls back.
   One row comes back per voucher written; none when there was nothing to post. */

create exception E_CONTADO_NIT 'No esta configurado el NIT del cliente de contado (EMPRESA.EMPR_NIT_CONTADO).';
create exception E_CONTADO_CUENTAS 'Faltan cuentas contables para una tarifa de IVA (CUENTA_TARIFA).';
create exception E_CONTADO_FACTOR 'El factor de ajuste de cierre debe estar entre 0 y 1.';
create exception E_CONTADO_DESCUADRE 'El comprobante no cuadra: debitos y creditos difieren.';

set term ^;

/* The day's closing-adjustment factor for the sales of one point of sale at one
   rate: the share received in cash, 1 when no AJUSTE_CIERRE row applies.
   A row applies when it covers the day, has the rate and a factor, and either
   has no prefix (null or blank) or the invoices' prefix (blanks and case aside).
   Of several, a row naming the prefix wins over a general one, then the one
   starting latest, then the one entered last (highest key). */
create procedure FACTOR_CIERRE (FECHA date, PREFIJO varchar(4), PORC decimal(15,4))
returns (FACTOR decimal(15,4))
as
begin
    FACTOR = null;
    select first 1 a.AJCI_FACTOR
      from AJUSTE_CIERRE a
     where a.AJCI_FECINI <= :FECHA and a.AJCI_FECFIN >= :FECHA
       and a.AJCI_PORC = :PORC
       and a.AJCI_FACTOR is not null
       and (coalesce(trim(a.AJCI_PREFNO), '') = ''
            or upper(trim(a.AJCI_PREFNO)) = upper(trim(:PREFIJO)))
     order by iif(coalesce(trim(a.AJCI_PREFNO), '') = '', 1, 0),
              a.AJCI_FECINI desc, a.AJCI_ID desc
      into :FACTOR;
    if (FACTOR is null) then
        FACTOR = 1;
    if (FACTOR < 0 or FACTOR > 1) then
        exception E_CONTADO_FACTOR 'El factor de ajuste de cierre debe estar entre 0 y 1: '
            || FACTOR || ' para la tarifa ' || PORC || ' el ' || FECHA || '.';
    suspend;
end^

/* Writes the lines of voucher COMP_ID for one book (L or N) from the invoices
   already marked with it, and checks that the voucher balances. */
create procedure CONTADO_LINEAS (COMP_ID integer, LIBRO char(1), FECHA date, PREFIJO varchar(4))
as
declare variable porc decimal(15,4);
declare variable base decimal(15,2);
declare variable iva decimal(15,2);
declare variable venta decimal(15,2);
declare variable efectivo decimal(15,2);
declare variable factor decimal(15,4);
declare variable c_caja varchar(16);
declare variable c_tarjeta varchar(16);
declare variable c_ingreso varchar(16);
declare variable c_iva varchar(16);
declare variable linea smallint = 0;
declare variable debitos decimal(15,2);
declare variable creditos decimal(15,2);
begin
    for select d.FADE_PORC, sum(d.FADE_BASE), sum(d.FADE_IVA)
          from FACTURA f
          join FACTURA_DET d on d.FACT_ID = f.FACT_ID
         where f.FACT_FECHA = :FECHA
           and iif(:LIBRO = 'L', f.FACT_COMP_LOCAL, f.FACT_COMP_NIIF) = :COMP_ID
         group by d.FADE_PORC
         order by d.FADE_PORC
          into :porc, :base, :iva
    do begin
        c_caja = null;
        select iif(:LIBRO = 'L', CUTA_CAJA, CUTA_CAJA_NIIF),
               iif(:LIBRO = 'L', CUTA_TARJETA, CUTA_TARJETA_NIIF),
               iif(:LIBRO = 'L', CUTA_INGRESO, CUTA_INGRESO_NIIF),
               iif(:LIBRO = 'L', CUTA_IVA, CUTA_IVA_NIIF)
          from CUENTA_TARIFA
         where CUTA_PORC = :porc
          into :c_caja, :c_tarjeta, :c_ingreso, :c_iva;
        if (c_caja is null or (iva > 0 and c_iva is null)) then
            exception E_CONTADO_CUENTAS 'Faltan cuentas contables para la tarifa de IVA ' || porc || ' (CUENTA_TARIFA).';

        select FACTOR from FACTOR_CIERRE(:FECHA, :PREFIJO, :porc) into :factor;

        /* The cash share is rounded to the cent, half away from zero; the card
           line takes the rest, so the debits equal base plus VAT exactly. */
        venta = base + iva;
        efectivo = round(venta * factor, 2);

        if (efectivo > 0) then
        begin
            linea = linea + 1;
            insert into COMPROBANTE_DET (CODE_ID, COMP_ID, CODE_LINEA, CODE_CUENTA, CODE_CUENTA_NIIF,
                                         CODE_PORC, CODE_DEBITO, CODE_CREDITO, CODE_DETALLE)
            values (gen_id(GEN_COMPROBANTE_DET, 1), :COMP_ID, :linea,
                    iif(:LIBRO = 'L', :c_caja, null), iif(:LIBRO = 'N', :c_caja, null),
                    :porc, :efectivo, 0, 'Ventas de contado en efectivo');
        end
        if (venta - efectivo > 0) then
        begin
            linea = linea + 1;
            insert into COMPROBANTE_DET (CODE_ID, COMP_ID, CODE_LINEA, CODE_CUENTA, CODE_CUENTA_NIIF,
                                         CODE_PORC, CODE_DEBITO, CODE_CREDITO, CODE_DETALLE)
            values (gen_id(GEN_COMPROBANTE_DET, 1), :COMP_ID, :linea,
                    iif(:LIBRO = 'L', :c_tarjeta, null), iif(:LIBRO = 'N', :c_tarjeta, null),
                    :porc, :venta - :efectivo, 0, 'Ventas de contado con tarjeta o transferencia');
        end
        if (base > 0) then
        begin
            linea = linea + 1;
            insert into COMPROBANTE_DET (CODE_ID, COMP_ID, CODE_LINEA, CODE_CUENTA, CODE_CUENTA_NIIF,
                                         CODE_PORC, CODE_DEBITO, CODE_CREDITO, CODE_DETALLE)
            values (gen_id(GEN_COMPROBANTE_DET, 1), :COMP_ID, :linea,
                    iif(:LIBRO = 'L', :c_ingreso, null), iif(:LIBRO = 'N', :c_ingreso, null),
                    :porc, 0, :base, 'Ingresos por ventas de contado');
        end
        if (iva > 0) then
        begin
            linea = linea + 1;
            insert into COMPROBANTE_DET (CODE_ID, COMP_ID, CODE_LINEA, CODE_CUENTA, CODE_CUENTA_NIIF,
                                         CODE_PORC, CODE_DEBITO, CODE_CREDITO, CODE_DETALLE)
            values (gen_id(GEN_COMPROBANTE_DET, 1), :COMP_ID, :linea,
                    iif(:LIBRO = 'L', :c_iva, null), iif(:LIBRO = 'N', :c_iva, null),
                    :porc, 0, :iva, 'IVA generado en ventas de contado');
        end
    end

    /* By construction this cannot fail; checked anyway, as a voucher that does
       not balance must never be committed. */
    select coalesce(sum(CODE_DEBITO), 0), coalesce(sum(CODE_CREDITO), 0)
      from COMPROBANTE_DET where COMP_ID = :COMP_ID
      into :debitos, :creditos;
    if (debitos <> creditos) then
        exception E_CONTADO_DESCUADRE;
end^

/* The posting of one book: L (local, voucher kind VC) or N (NIIF, kind VCN). */
create procedure CONTABILIZA_CONTADO (FECINI date, FECFIN date, LIBRO char(1))
returns (FECHA date, PREFIJO varchar(4), TIPO varchar(4), NUMERO integer,
         FACTURAS integer, TOTAL decimal(15,2))
as
declare variable nit varchar(20);
declare variable lote integer;
declare variable comp integer;
begin
    select EMPR_NIT_CONTADO from EMPRESA where EMPR_ID = 1 into :nit;
    if (coalesce(trim(nit), '') = '') then
        exception E_CONTADO_NIT;
    if (LIBRO = 'L') then TIPO = 'VC'; else TIPO = 'VCN';
    lote = gen_id(GEN_LOTE_CONTADO, 1);

    /* The loop marks only the invoices of the group at hand, which the
       grouping has already read, so the marks cannot disturb it. */
    for select f.FACT_FECHA, f.FACT_PREFIJO
          from FACTURA f
         where f.FACT_FECHA between :FECINI and :FECFIN
           and f.FACT_NIT = :nit
           and iif(:LIBRO = 'L', f.FACT_COMP_LOCAL, f.FACT_COMP_NIIF) is null
         group by f.FACT_FECHA, f.FACT_PREFIJO
         order by f.FACT_FECHA, f.FACT_PREFIJO
          into :FECHA, :PREFIJO
    do begin
        update TIPO_COMPROBANTE set TICO_CONSECUTIVO = TICO_CONSECUTIVO + 1
         where TICO_CODIGO = :TIPO
        returning TICO_CONSECUTIVO into :NUMERO;
        comp = gen_id(GEN_COMPROBANTE, 1);
        insert into COMPROBANTE (COMP_ID, TICO_CODIGO, COMP_NUMERO, COMP_FECHA, COMP_PREFIJO,
                                 COMP_DETALLE, COMP_LOTE)
        values (:comp, :TIPO, :NUMERO, :FECHA, :PREFIJO,
                'Ventas de contado ' || :PREFIJO || ' del ' || :FECHA, :lote);

        /* Marking updates each invoice row, as taking the number above updates
           the kind's row: a posting of the same book running at the same time
           waits for this one and then fails with an update conflict (or, if it
           read the invoices only after this one committed, finds them posted),
           so no invoice is posted twice. */
        if (LIBRO = 'L') then
            update FACTURA set FACT_COMP_LOCAL = :comp
             where FACT_FECHA = :FECHA and FACT_PREFIJO = :PREFIJO and FACT_NIT = :nit
               and FACT_COMP_LOCAL is null;
        else
            update FACTURA set FACT_COMP_NIIF = :comp
             where FACT_FECHA = :FECHA and FACT_PREFIJO = :PREFIJO and FACT_NIT = :nit
               and FACT_COMP_NIIF is null;

        execute procedure CONTADO_LINEAS (:comp, :LIBRO, :FECHA, :PREFIJO);
    end

    for select c.COMP_FECHA, c.COMP_PREFIJO, c.COMP_NUMERO,
               (select count(*) from FACTURA f
                 where f.FACT_FECHA = c.COMP_FECHA
                   and iif(:LIBRO = 'L', f.FACT_COMP_LOCAL, f.FACT_COMP_NIIF) = c.COMP_ID),
               (select coalesce(sum(d.CODE_DEBITO), 0) from COMPROBANTE_DET d
                 where d.COMP_ID = c.COMP_ID)
          from COMPROBANTE c
         where c.COMP_LOTE = :lote
         order by c.COMP_FECHA, c.COMP_PREFIJO
          into :FECHA, :PREFIJO, :NUMERO, :FACTURAS, :TOTAL
    do
        suspend;
end^

create procedure CONTADO_KALDEN (FECINI date, FECFIN date)
returns (FECHA date, PREFIJO varchar(4), TIPO varchar(4), NUMERO integer,
         FACTURAS integer, TOTAL decimal(15,2))
as
begin
    for select FECHA, PREFIJO, TIPO, NUMERO, FACTURAS, TOTAL
          from CONTABILIZA_CONTADO(:FECINI, :FECFIN, 'L')
          into :FECHA, :PREFIJO, :TIPO, :NUMERO, :FACTURAS, :TOTAL
    do
        suspend;
end^

create procedure CONTADO_KALDEN_NIIF (FECINI date, FECFIN date)
returns (FECHA date, PREFIJO varchar(4), TIPO varchar(4), NUMERO integer,
         FACTURAS integer, TOTAL decimal(15,2))
as
begin
    for select FECHA, PREFIJO, TIPO, NUMERO, FACTURAS, TOTAL
          from CONTABILIZA_CONTADO(:FECINI, :FECFIN, 'N')
          into :FECHA, :PREFIJO, :TIPO, :NUMERO, :FACTURAS, :TOTAL
    do
        suspend;
end^

/* Posts a voucher left pending by another program of the suite. This database
   keeps no pending vouchers (the cash posting writes finished ones), so there
   is nothing to do. */
create procedure CONTABILIZA_PENDIENTE (IDCNT integer)
as
begin
end^

set term ;^

/* The procedures hold the rights they use, so a user who may run the posting
   needs only EXECUTE on CONTADO_KALDEN and CONTADO_KALDEN_NIIF. */
grant select on AJUSTE_CIERRE to procedure FACTOR_CIERRE;
grant select on FACTURA to procedure CONTADO_LINEAS;
grant select on FACTURA_DET to procedure CONTADO_LINEAS;
grant select on CUENTA_TARIFA to procedure CONTADO_LINEAS;
grant select, insert on COMPROBANTE_DET to procedure CONTADO_LINEAS;
grant usage on generator GEN_COMPROBANTE_DET to procedure CONTADO_LINEAS;
grant execute on procedure FACTOR_CIERRE to procedure CONTADO_LINEAS;
grant select on EMPRESA to procedure CONTABILIZA_CONTADO;
grant select, update on FACTURA to procedure CONTABILIZA_CONTADO;
grant select, update on TIPO_COMPROBANTE to procedure CONTABILIZA_CONTADO;
grant select, insert on COMPROBANTE to procedure CONTABILIZA_CONTADO;
grant select on COMPROBANTE_DET to procedure CONTABILIZA_CONTADO;
grant usage on generator GEN_COMPROBANTE to procedure CONTABILIZA_CONTADO;
grant usage on generator GEN_LOTE_CONTADO to procedure CONTABILIZA_CONTADO;
grant execute on procedure CONTADO_LINEAS to procedure CONTABILIZA_CONTADO;
grant execute on procedure CONTABILIZA_CONTADO to procedure CONTADO_KALDEN;
grant execute on procedure CONTABILIZA_CONTADO to procedure CONTADO_KALDEN_NIIF;
grant usage on exception E_CONTADO_FACTOR to procedure FACTOR_CIERRE;
grant usage on exception E_CONTADO_CUENTAS to procedure CONTADO_LINEAS;
grant usage on exception E_CONTADO_DESCUADRE to procedure CONTADO_LINEAS;
grant usage on exception E_CONTADO_NIT to procedure CONTABILIZA_CONTADO;
