/* The cash-sales posting.

   CONTADO_KALDEN (local book) and CONTADO_KALDEN_NIIF (NIIF book) post the
   invoices of the cash customer dated from FECINI to FECFIN, both included,
   that the book has not posted yet: one voucher per day and point of sale, with
   per VAT rate a cash debit, a card-and-transfer debit, a revenue credit and a
   VAT payable credit. The closing-adjustment factor (FACTOR_CIERRE) gives the
   share of the sales received in cash. Each invoice records the voucher that
   posted it, so a range is never posted twice by the same book. An invoice
   without lines, or whose lines are all zero, is left out.

   Everything is written before the first row is returned: a caller that stops
   fetching early still gets the whole range posted, or nothing if it rolls back.
   One row comes back per voucher written; none when there was nothing to post.

   The queries that join invoices and their lines carry their plan: the optimizer,
   left to itself with the index statistics of a new database, walks the whole
   line table for every voucher. With these plans a range costs the same however
   many days are already posted. */

create exception E_CONTADO_NIT 'No esta configurado el NIT del cliente de contado (EMPRESA.EMPR_NIT_CONTADO).';
create exception E_CONTADO_TIPO 'Falta el tipo de comprobante de la contabilizacion (TIPO_COMPROBANTE).';
create exception E_CONTADO_CUENTAS 'Faltan cuentas contables para una tarifa de IVA (CUENTA_TARIFA).';
create exception E_CONTADO_FACTOR 'El factor de ajuste de cierre debe estar entre 0 y 1.';

set term ^;

/* The closing-adjustment factor for the sales of one point of sale at one rate
   on one day: the share received in cash, with the row it came from.
   A row applies when it covers the day, has the rate and a factor, and either
   has no prefix (null or blank) or the invoices' prefix (blanks and case aside).
   Of several, a row naming the prefix wins over a general one, then the one
   starting latest, then the one entered last (highest key). The rows of the
   posting run (AJUSTE_CIERRE) come first; when none applies, the standing rows
   (AJUSTE_CIERRE_AUTO) are asked by the same rules; when none applies either,
   the whole sale is cash (factor 1, no table).
   The rows are found by their last day: those still in force on a day are few,
   however many past days the tables hold. */
create procedure FACTOR_CIERRE (FECHA date, PREFIJO varchar(4), PORC decimal(15,4))
returns (FACTOR decimal(15,4), TABLA varchar(31), AJUSTE integer)
as
begin
    AJUSTE = null;
    select first 1 a.AJCI_FACTOR, a.AJCI_ID
      from AJUSTE_CIERRE a
     where a.AJCI_FECFIN >= :FECHA and a.AJCI_FECINI <= :FECHA
       and a.AJCI_PORC = :PORC
       and a.AJCI_FACTOR is not null
       and (coalesce(trim(a.AJCI_PREFNO), '') = ''
            or upper(trim(a.AJCI_PREFNO)) = upper(trim(:PREFIJO)))
      plan sort (a index (IX_AJUSTE_CIERRE_FECFIN))
     order by iif(coalesce(trim(a.AJCI_PREFNO), '') = '', 1, 0),
              a.AJCI_FECINI desc, a.AJCI_ID desc
      into :FACTOR, :AJUSTE;
    if (AJUSTE is not null) then
        TABLA = 'AJUSTE_CIERRE';
    else
    begin
        select first 1 a.AJCI_FACTOR, a.AJCI_ID
          from AJUSTE_CIERRE_AUTO a
         where a.AJCI_FECFIN >= :FECHA and a.AJCI_FECINI <= :FECHA
           and a.AJCI_PORC = :PORC
           and a.AJCI_FACTOR is not null
           and (coalesce(trim(a.AJCI_PREFNO), '') = ''
                or upper(trim(a.AJCI_PREFNO)) = upper(trim(:PREFIJO)))
          plan sort (a index (IX_AJUSTE_CIERRE_AUTO_FECFIN))
         order by iif(coalesce(trim(a.AJCI_PREFNO), '') = '', 1, 0),
                  a.AJCI_FECINI desc, a.AJCI_ID desc
          into :FACTOR, :AJUSTE;
        if (AJUSTE is not null) then
            TABLA = 'AJUSTE_CIERRE_AUTO';
        else
        begin
            FACTOR = 1;
            TABLA = null;
        end
    end
    if (FACTOR < 0 or FACTOR > 1) then
        exception E_CONTADO_FACTOR 'El factor de ajuste de cierre debe estar entre 0 y 1: '
            || FACTOR || ' para la tarifa ' || PORC || ' el ' || FECHA
            || ' (' || TABLA || ', fila ' || AJUSTE || ').';
    suspend;
end^

/* Fails, before anything is written, when the book cannot be posted: its
   voucher kind is missing or belongs to the other book, or a rate sold in the
   range lacks an account of the book's chart in CUENTA_TARIFA. A rate whose
   accounts are fine costs no reading of invoices; only a faulty one is looked
   for among the range's sales. */
create procedure CONTADO_REVISA (FECINI date, FECFIN date, LIBRO char(1), TIPO varchar(4), NIT varchar(20))
as
declare variable libro_tipo char(1);
declare variable nombre_libro varchar(10);
declare variable plan_otro varchar(10);
declare variable porc decimal(15,4);
declare variable hay_fila smallint;
declare variable columna varchar(31);
declare variable cuenta varchar(16);
declare variable plan_cuenta char(1);
declare variable falta varchar(300);
declare variable falta_iva varchar(300);
declare variable plan_errado smallint;
declare variable vendido smallint;
declare variable con_iva smallint;
begin
    nombre_libro = trim(iif(LIBRO = 'L', 'local', 'NIIF'));
    plan_otro = trim(iif(LIBRO = 'L', 'NIIF', 'local'));
    libro_tipo = null;
    select TICO_LIBRO from TIPO_COMPROBANTE where TICO_CODIGO = :TIPO into :libro_tipo;
    if (libro_tipo is null) then
        exception E_CONTADO_TIPO 'Falta el tipo de comprobante ' || TIPO || ' en TIPO_COMPROBANTE: con el '
            || 'se numeran los comprobantes de ventas de contado del libro ' || nombre_libro || '.';
    if (libro_tipo <> LIBRO) then
        exception E_CONTADO_TIPO 'El tipo de comprobante ' || TIPO || ' de TIPO_COMPROBANTE es del libro '
            || plan_otro || ': las ventas de contado del libro ' || nombre_libro
            || ' necesitan uno del libro ' || nombre_libro || ' (TICO_LIBRO ' || LIBRO || ').';

    for select t.TAIV_PORC, iif(ct.CUTA_PORC is null, 0, 1)
          from TARIFA_IVA t left join CUENTA_TARIFA ct on ct.CUTA_PORC = t.TAIV_PORC
          into :porc, :hay_fila
    do begin
        falta = null;
        falta_iva = null;
        plan_errado = 0;
        if (hay_fila = 0) then
            falta = 'No hay cuentas contables para la tarifa de IVA ' || porc || ' en CUENTA_TARIFA.';
        else
            for select c.COLUMNA, c.CUENTA from (
                    select iif(:LIBRO = 'L', 'CUTA_CAJA', 'CUTA_CAJA_NIIF') COLUMNA,
                           iif(:LIBRO = 'L', CUTA_CAJA, CUTA_CAJA_NIIF) CUENTA, 1 ORDEN
                      from CUENTA_TARIFA where CUTA_PORC = :porc
                    union all
                    select iif(:LIBRO = 'L', 'CUTA_TARJETA', 'CUTA_TARJETA_NIIF'),
                           iif(:LIBRO = 'L', CUTA_TARJETA, CUTA_TARJETA_NIIF), 2
                      from CUENTA_TARIFA where CUTA_PORC = :porc
                    union all
                    select iif(:LIBRO = 'L', 'CUTA_INGRESO', 'CUTA_INGRESO_NIIF'),
                           iif(:LIBRO = 'L', CUTA_INGRESO, CUTA_INGRESO_NIIF), 3
                      from CUENTA_TARIFA where CUTA_PORC = :porc
                    union all
                    select iif(:LIBRO = 'L', 'CUTA_IVA', 'CUTA_IVA_NIIF'),
                           iif(:LIBRO = 'L', CUTA_IVA, CUTA_IVA_NIIF), 4
                      from CUENTA_TARIFA where CUTA_PORC = :porc) c
                 order by c.ORDEN
                  into :columna, :cuenta
            do begin
                plan_cuenta = null;
                select CUEN_PLAN from CUENTA where CUEN_CODIGO = :cuenta into :plan_cuenta;
                if (cuenta is null) then
                    falta_iva = 'Falta la cuenta de IVA por pagar (' || trim(columna) || ') de la tarifa de IVA '
                        || porc || ' en CUENTA_TARIFA.';
                else if (plan_cuenta is distinct from LIBRO and falta is null) then
                begin
                    plan_errado = iif(plan_cuenta is null, 0, 1);
                    falta = 'La cuenta ' || cuenta || ' de ' || trim(columna) || ' (tarifa de IVA ' || porc
                        || ') ' || iif(plan_cuenta is null, 'no existe en CUENTA',
                                       'es del plan ' || plan_otro)
                        || ': el libro ' || nombre_libro || ' necesita una cuenta del plan '
                        || nombre_libro || '.';
                end
            end

        if (falta is not null or falta_iva is not null) then
        begin
            vendido = 0;
            con_iva = 0;
            select first 1 1, iif(d.FADE_IVA > 0, 1, 0)
              from FACTURA f join FACTURA_DET d on d.FACT_ID = f.FACT_ID
             where f.FACT_FECHA between :FECINI and :FECFIN and f.FACT_NIT = :NIT
               and iif(:LIBRO = 'L', f.FACT_COMP_LOCAL, f.FACT_COMP_NIIF) is null
               and d.FADE_PORC = :porc and d.FADE_BASE + d.FADE_IVA > 0
              plan sort (join (f index (IX_FACTURA_FECHA_PREFIJO), d index (FK_FACTURA_DET_FACTURA)))
             order by d.FADE_IVA desc
              into :vendido, :con_iva;
            if (vendido = 1 and plan_errado = 1) then
                exception E_CONTADO_PLAN falta;
            if (vendido = 1 and falta is not null) then
                exception E_CONTADO_CUENTAS falta;
            if (con_iva = 1 and falta_iva is not null) then
                exception E_CONTADO_CUENTAS falta_iva;
        end
    end
end^

/* Writes the lines of one rate of the open voucher COMP_ID of one book (L or
   N), from the sums of its invoices at that rate, numbering them after LINEA;
   returns the last line number and the rate's sale (base plus VAT). Accounts
   were checked by CONTADO_REVISA. */
create procedure CONTADO_LINEAS (COMP_ID integer, LIBRO char(1), FECHA date, PREFIJO varchar(4),
                                 NIT varchar(20), PORC decimal(15,4), BASE decimal(15,2),
                                 IVA decimal(15,2), LINEA smallint)
returns (ULTIMA_LINEA smallint, VENTA decimal(15,2))
as
declare variable efectivo decimal(15,2);
declare variable factor decimal(15,4);
declare variable tabla varchar(31);
declare variable ajuste integer;
declare variable c_caja varchar(16);
declare variable c_tarjeta varchar(16);
declare variable c_ingreso varchar(16);
declare variable c_iva varchar(16);
begin
    c_caja = null;
    select iif(:LIBRO = 'L', CUTA_CAJA, CUTA_CAJA_NIIF),
           iif(:LIBRO = 'L', CUTA_TARJETA, CUTA_TARJETA_NIIF),
           iif(:LIBRO = 'L', CUTA_INGRESO, CUTA_INGRESO_NIIF),
           iif(:LIBRO = 'L', CUTA_IVA, CUTA_IVA_NIIF)
      from CUENTA_TARIFA
     where CUTA_PORC = :PORC
      into :c_caja, :c_tarjeta, :c_ingreso, :c_iva;
    if (c_caja is null or (IVA > 0 and c_iva is null)) then
        exception E_CONTADO_CUENTAS 'Faltan cuentas contables para la tarifa de IVA ' || PORC || ' (CUENTA_TARIFA).';

    select FACTOR, TABLA, AJUSTE from FACTOR_CIERRE(:FECHA, :PREFIJO, :PORC)
      into :factor, :tabla, :ajuste;

    /* The cash share is rounded to the cent, half away from zero; the card
       line takes the rest, so the debits equal base plus VAT exactly. */
    VENTA = BASE + IVA;
    efectivo = round(VENTA * factor, 2);
    ULTIMA_LINEA = LINEA;

    if (efectivo > 0) then
    begin
        ULTIMA_LINEA = ULTIMA_LINEA + 1;
        insert into COMPROBANTE_DET (CODE_ID, COMP_ID, CODE_LINEA, CODE_CUENTA, CODE_CUENTA_NIIF,
                                     CODE_PORC, CODE_DEBITO, CODE_CREDITO, CODE_DETALLE,
                                     CODE_FACTOR, CODE_AJUSTE_TABLA, CODE_AJUSTE_ID)
        values (gen_id(GEN_COMPROBANTE_DET, 1), :COMP_ID, :ULTIMA_LINEA,
                iif(:LIBRO = 'L', :c_caja, null), iif(:LIBRO = 'N', :c_caja, null),
                :PORC, :efectivo, 0, 'Ventas de contado en efectivo',
                :factor, :tabla, :ajuste);
    end
    if (VENTA - efectivo > 0) then
    begin
        ULTIMA_LINEA = ULTIMA_LINEA + 1;
        insert into COMPROBANTE_DET (CODE_ID, COMP_ID, CODE_LINEA, CODE_CUENTA, CODE_CUENTA_NIIF,
                                     CODE_PORC, CODE_DEBITO, CODE_CREDITO, CODE_DETALLE,
                                     CODE_FACTOR, CODE_AJUSTE_TABLA, CODE_AJUSTE_ID)
        values (gen_id(GEN_COMPROBANTE_DET, 1), :COMP_ID, :ULTIMA_LINEA,
                iif(:LIBRO = 'L', :c_tarjeta, null), iif(:LIBRO = 'N', :c_tarjeta, null),
                :PORC, :VENTA - :efectivo, 0, 'Ventas de contado con tarjeta o transferencia',
                :factor, :tabla, :ajuste);
    end
    if (BASE > 0) then
    begin
        ULTIMA_LINEA = ULTIMA_LINEA + 1;
        insert into COMPROBANTE_DET (CODE_ID, COMP_ID, CODE_LINEA, CODE_CUENTA, CODE_CUENTA_NIIF,
                                     CODE_PORC, CODE_DEBITO, CODE_CREDITO, CODE_DETALLE, CODE_NIT)
        values (gen_id(GEN_COMPROBANTE_DET, 1), :COMP_ID, :ULTIMA_LINEA,
                iif(:LIBRO = 'L', :c_ingreso, null), iif(:LIBRO = 'N', :c_ingreso, null),
                :PORC, 0, :BASE, 'Ingresos por ventas de contado', :NIT);
    end
    if (IVA > 0) then
    begin
        ULTIMA_LINEA = ULTIMA_LINEA + 1;
        insert into COMPROBANTE_DET (CODE_ID, COMP_ID, CODE_LINEA, CODE_CUENTA, CODE_CUENTA_NIIF,
                                     CODE_PORC, CODE_DEBITO, CODE_CREDITO, CODE_DETALLE, CODE_NIT)
        values (gen_id(GEN_COMPROBANTE_DET, 1), :COMP_ID, :ULTIMA_LINEA,
                iif(:LIBRO = 'L', :c_iva, null), iif(:LIBRO = 'N', :c_iva, null),
                :PORC, 0, :IVA, 'IVA generado en ventas de contado', :NIT);
    end
end^

/* Finishes the open voucher COMP_ID whose lines are written: invoices it
   marked that have nothing to post (SIN_IMPORTE of them: no line, or zero
   lines only) lose the mark; a voucher left with no invoice is removed; any
   other one takes the next number of its kind and is closed, which posts it
   (the trigger checks that it balances). */
create procedure CONTADO_CIERRA (COMP_ID integer, LIBRO char(1), TIPO varchar(4), TOTAL decimal(15,2),
                                 PRIMERA integer, ULTIMA integer, SIN_IMPORTE integer)
as
declare variable numero integer;
begin
    if (SIN_IMPORTE > 0) then
    begin
        if (LIBRO = 'L') then
            update FACTURA f set f.FACT_COMP_LOCAL = null
             where f.FACT_COMP_LOCAL = :COMP_ID
               and not exists (select 1 from FACTURA_DET d
                                where d.FACT_ID = f.FACT_ID and d.FADE_BASE + d.FADE_IVA > 0);
        else
            update FACTURA f set f.FACT_COMP_NIIF = null
             where f.FACT_COMP_NIIF = :COMP_ID
               and not exists (select 1 from FACTURA_DET d
                                where d.FACT_ID = f.FACT_ID and d.FADE_BASE + d.FADE_IVA > 0);
        update COMPROBANTE set COMP_FACTURAS = COMP_FACTURAS - :SIN_IMPORTE where COMP_ID = :COMP_ID;
    end
    if (PRIMERA is null) then
        delete from COMPROBANTE where COMP_ID = :COMP_ID;
    else
    begin
        /* Taking the number updates the kind's row: two postings of one book
           never share a number. */
        update TIPO_COMPROBANTE set TICO_CONSECUTIVO = TICO_CONSECUTIVO + 1
         where TICO_CODIGO = :TIPO
        returning TICO_CONSECUTIVO into :numero;
        update COMPROBANTE
           set COMP_NUMERO = :numero, COMP_ESTADO = 'C', COMP_TOTAL = :TOTAL,
               COMP_FACT_PRIMERA = :PRIMERA, COMP_FACT_ULTIMA = :ULTIMA
         where COMP_ID = :COMP_ID;
    end
end^

/* The posting of one book: L (local, voucher kind VC) or N (NIIF, kind VCN).
   First every day and point of sale gets an open voucher that marks its
   invoices; then one pass over the marked invoices and their lines, sorted by
   voucher and rate, writes the lines and closes each voucher. The sums come
   from the marks, so a sale registered while the posting runs is either in a
   voucher with its amounts or left for the next run. */
create procedure CONTABILIZA_CONTADO (FECINI date, FECFIN date, LIBRO char(1))
returns (FECHA date, PREFIJO varchar(4), TIPO varchar(4), NUMERO integer,
         FACTURAS integer, TOTAL decimal(15,2))
as
declare variable nit varchar(20);
declare variable lote integer;
declare variable comp integer;
declare variable anterior integer;
declare variable porc decimal(15,4);
declare variable base decimal(15,2);
declare variable iva decimal(15,2);
declare variable venta decimal(15,2);
declare variable primera_tarifa integer;
declare variable ultima_tarifa integer;
declare variable primera integer;
declare variable ultima integer;
declare variable sin_importe integer;
declare variable linea smallint;
begin
    select EMPR_NIT_CONTADO from EMPRESA where EMPR_ID = 1 into :nit;
    if (coalesce(trim(nit), '') = '') then
        exception E_CONTADO_NIT;
    if (LIBRO = 'L') then TIPO = 'VC'; else TIPO = 'VCN';
    execute procedure CONTADO_REVISA (:FECINI, :FECFIN, :LIBRO, :TIPO, :nit);
    lote = gen_id(GEN_LOTE_CONTADO, 1);

    /* The grouping is sorted before the first group comes out, so the marks
       written in the loop cannot disturb it. An open voucher holds its key,
       negated, as its number until it is closed. */
    for select f.FACT_FECHA, f.FACT_PREFIJO
          from FACTURA f
         where f.FACT_FECHA between :FECINI and :FECFIN
           and f.FACT_NIT = :nit
           and iif(:LIBRO = 'L', f.FACT_COMP_LOCAL, f.FACT_COMP_NIIF) is null
         group by f.FACT_FECHA, f.FACT_PREFIJO
          plan sort (f index (IX_FACTURA_FECHA_PREFIJO))
         order by f.FACT_FECHA, f.FACT_PREFIJO
          into :FECHA, :PREFIJO
    do begin
        comp = gen_id(GEN_COMPROBANTE, 1);
        insert into COMPROBANTE (COMP_ID, TICO_CODIGO, COMP_NUMERO, COMP_FECHA, COMP_PREFIJO,
                                 COMP_DETALLE, COMP_LOTE)
        values (:comp, :TIPO, -:comp, :FECHA, :PREFIJO,
                'Ventas de contado ' || :PREFIJO || ' del ' || :FECHA, :lote);

        /* Marking updates each invoice row: a posting of the same book running
           at the same time waits for this one and then fails with an update
           conflict (or, if it read the invoices only after this one committed,
           finds them posted), so no invoice is posted twice. */
        if (LIBRO = 'L') then
            update FACTURA f set f.FACT_COMP_LOCAL = :comp
             where f.FACT_FECHA = :FECHA and f.FACT_PREFIJO = :PREFIJO and f.FACT_NIT = :nit
               and f.FACT_COMP_LOCAL is null
              plan (f index (IX_FACTURA_FECHA_PREFIJO));
        else
            update FACTURA f set f.FACT_COMP_NIIF = :comp
             where f.FACT_FECHA = :FECHA and f.FACT_PREFIJO = :PREFIJO and f.FACT_NIT = :nit
               and f.FACT_COMP_NIIF is null
              plan (f index (IX_FACTURA_FECHA_PREFIJO));
        FACTURAS = row_count;
        update COMPROBANTE set COMP_FACTURAS = :FACTURAS where COMP_ID = :comp;
    end

    /* One sorted pass for all the run's vouchers. A voucher's key marks
       invoices of its own book only, so either mark finds them. An invoice
       without a line of some amount comes out once, with no rate. */
    anterior = null;
    for select c.COMP_ID, c.COMP_FECHA, c.COMP_PREFIJO, d.FADE_PORC, sum(d.FADE_BASE), sum(d.FADE_IVA),
               min(f.FACT_NUMERO), max(f.FACT_NUMERO), count(*)
          from COMPROBANTE c
          join FACTURA f on f.FACT_COMP_LOCAL = c.COMP_ID or f.FACT_COMP_NIIF = c.COMP_ID
          left join FACTURA_DET d on d.FACT_ID = f.FACT_ID and d.FADE_BASE + d.FADE_IVA > 0
         where c.COMP_LOTE = :lote
         group by c.COMP_ID, c.COMP_FECHA, c.COMP_PREFIJO, d.FADE_PORC
          plan sort (join (c index (IX_COMPROBANTE_LOTE),
                           f index (FK_FACTURA_COMP_LOCAL, FK_FACTURA_COMP_NIIF),
                           d index (FK_FACTURA_DET_FACTURA)))
         order by c.COMP_ID, d.FADE_PORC
          into :comp, :FECHA, :PREFIJO, :porc, :base, :iva, :primera_tarifa, :ultima_tarifa, :FACTURAS
    do begin
        if (comp is distinct from anterior) then
        begin
            if (anterior is not null) then
                execute procedure CONTADO_CIERRA (:anterior, :LIBRO, :TIPO, :TOTAL, :primera, :ultima,
                                                  :sin_importe);
            anterior = comp;
            TOTAL = 0;
            primera = null;
            ultima = null;
            sin_importe = 0;
            linea = 0;
        end
        if (porc is null) then
            sin_importe = FACTURAS;
        else
        begin
            primera = minvalue(coalesce(primera, primera_tarifa), primera_tarifa);
            ultima = maxvalue(coalesce(ultima, ultima_tarifa), ultima_tarifa);
            execute procedure CONTADO_LINEAS (:comp, :LIBRO, :FECHA, :PREFIJO, :nit, :porc, :base, :iva, :linea)
                returning_values :linea, :venta;
            TOTAL = TOTAL + venta;
        end
    end
    if (anterior is not null) then
        execute procedure CONTADO_CIERRA (:anterior, :LIBRO, :TIPO, :TOTAL, :primera, :ultima, :sin_importe);
    /* A voucher that found no invoice at all (they were removed meanwhile). */
    delete from COMPROBANTE where COMP_LOTE = :lote and COMP_ESTADO = 'A';

    for select c.COMP_FECHA, c.COMP_PREFIJO, c.COMP_NUMERO, c.COMP_FACTURAS, c.COMP_TOTAL
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
grant select on AJUSTE_CIERRE_AUTO to procedure FACTOR_CIERRE;
grant select on TIPO_COMPROBANTE to procedure CONTADO_REVISA;
grant select on TARIFA_IVA to procedure CONTADO_REVISA;
grant select on CUENTA_TARIFA to procedure CONTADO_REVISA;
grant select on CUENTA to procedure CONTADO_REVISA;
grant select on FACTURA to procedure CONTADO_REVISA;
grant select on FACTURA_DET to procedure CONTADO_REVISA;
grant select on CUENTA_TARIFA to procedure CONTADO_LINEAS;
grant select, insert on COMPROBANTE_DET to procedure CONTADO_LINEAS;
grant usage on generator GEN_COMPROBANTE_DET to procedure CONTADO_LINEAS;
grant execute on procedure FACTOR_CIERRE to procedure CONTADO_LINEAS;
grant select on EMPRESA to procedure CONTABILIZA_CONTADO;
grant select, update on FACTURA to procedure CONTABILIZA_CONTADO;
grant select on FACTURA_DET to procedure CONTABILIZA_CONTADO;
grant select, insert, update, delete on COMPROBANTE to procedure CONTABILIZA_CONTADO;
grant select, update on FACTURA to procedure CONTADO_CIERRA;
grant select on FACTURA_DET to procedure CONTADO_CIERRA;
grant select, update on TIPO_COMPROBANTE to procedure CONTADO_CIERRA;
grant select, update, delete on COMPROBANTE to procedure CONTADO_CIERRA;
grant execute on procedure CONTADO_CIERRA to procedure CONTABILIZA_CONTADO;
grant usage on generator GEN_COMPROBANTE to procedure CONTABILIZA_CONTADO;
grant usage on generator GEN_LOTE_CONTADO to procedure CONTABILIZA_CONTADO;
grant execute on procedure CONTADO_REVISA to procedure CONTABILIZA_CONTADO;
grant execute on procedure CONTADO_LINEAS to procedure CONTABILIZA_CONTADO;
grant execute on procedure CONTABILIZA_CONTADO to procedure CONTADO_KALDEN;
grant execute on procedure CONTABILIZA_CONTADO to procedure CONTADO_KALDEN_NIIF;
grant usage on exception E_CONTADO_FACTOR to procedure FACTOR_CIERRE;
grant usage on exception E_CONTADO_TIPO to procedure CONTADO_REVISA;
grant usage on exception E_CONTADO_CUENTAS to procedure CONTADO_REVISA;
grant usage on exception E_CONTADO_PLAN to procedure CONTADO_REVISA;
grant usage on exception E_CONTADO_CUENTAS to procedure CONTADO_LINEAS;
grant usage on exception E_CONTADO_NIT to procedure CONTABILIZA_CONTADO;
