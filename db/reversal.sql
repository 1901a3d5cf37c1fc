/* Undoing a posting without erasing it.

   REVIERTE_CONTADO(FECINI, FECFIN, LIBRO) reverses the cash-sales vouchers of
   one book (L: kind VC, N: kind VCN) dated from FECINI to FECFIN that are not
   reversed yet: each gets a reversal voucher of its kind, numbered next, dated
   the day of the reversal, with the original's lines debit for credit, and
   naming the voucher it reverses (COMP_REVIERTE). The invoices the original
   posted are freed in that book, so that a corrected posting can follow. The
   original stays as it was. One row comes back per reversal voucher written,
   none when there was nothing to reverse. */

set term ^;

/* Reverses one posted voucher in posting run LOTE; returns the reversal's key.
   A voucher already reversed, a reversal itself or an open voucher is refused. */
create procedure REVIERTE_COMPROBANTE (COMP_ID integer, LOTE integer)
returns (REVERSION integer)
as
declare variable tipo varchar(4);
declare variable numero integer;
declare variable fecha date;
declare variable prefijo varchar(4);
declare variable estado char(1);
declare variable revierte integer;
declare variable facturas integer;
declare variable primera integer;
declare variable ultima integer;
declare variable libro char(1);
declare variable total decimal(15,2);
declare variable previa varchar(20);
declare variable numero_reversion integer;
begin
    estado = null;
    select c.TICO_CODIGO, c.COMP_NUMERO, c.COMP_FECHA, c.COMP_PREFIJO, c.COMP_ESTADO, c.COMP_REVIERTE,
           c.COMP_FACTURAS, c.COMP_FACT_PRIMERA, c.COMP_FACT_ULTIMA, t.TICO_LIBRO
      from COMPROBANTE c join TIPO_COMPROBANTE t on t.TICO_CODIGO = c.TICO_CODIGO
     where c.COMP_ID = :COMP_ID
      into :tipo, :numero, :fecha, :prefijo, :estado, :revierte, :facturas, :primera, :ultima, :libro;
    if (estado is null) then
        exception E_CONTADO_REVERSION 'No hay comprobante con la clave ' || COMP_ID || ' que revertir.';
    if (estado <> 'C') then
        exception E_CONTADO_REVERSION 'El comprobante ' || tipo || ' ' || numero
            || ' no esta contabilizado: no hay nada que revertir.';
    if (revierte is not null) then
        exception E_CONTADO_REVERSION 'El comprobante ' || tipo || ' ' || numero
            || ' es una reversion: no se revierte.';
    previa = null;
    select first 1 TICO_CODIGO || ' ' || COMP_NUMERO from COMPROBANTE where COMP_REVIERTE = :COMP_ID
      into :previa;
    if (previa is not null) then
        exception E_CONTADO_REVERSION 'El comprobante ' || tipo || ' ' || numero
            || ' ya fue revertido por el ' || previa || ': no se revierte dos veces.';

    update TIPO_COMPROBANTE set TICO_CONSECUTIVO = TICO_CONSECUTIVO + 1
     where TICO_CODIGO = :tipo
    returning TICO_CONSECUTIVO into :numero_reversion;
    REVERSION = gen_id(GEN_COMPROBANTE, 1);
    insert into COMPROBANTE (COMP_ID, TICO_CODIGO, COMP_NUMERO, COMP_FECHA, COMP_PREFIJO, COMP_DETALLE,
                             COMP_LOTE, COMP_REVIERTE)
    values (:REVERSION, :tipo, :numero_reversion, current_date, :prefijo,
            'Reversion del ' || :tipo || ' ' || :numero || ', ventas de contado ' || :prefijo
                || ' del ' || :fecha,
            :LOTE, :COMP_ID);
    insert into COMPROBANTE_DET (CODE_ID, COMP_ID, CODE_LINEA, CODE_CUENTA, CODE_CUENTA_NIIF, CODE_PORC,
                                 CODE_DEBITO, CODE_CREDITO, CODE_DETALLE, CODE_FACTOR,
                                 CODE_AJUSTE_TABLA, CODE_AJUSTE_ID, CODE_NIT)
    select gen_id(GEN_COMPROBANTE_DET, 1), :REVERSION, CODE_LINEA, CODE_CUENTA, CODE_CUENTA_NIIF,
           CODE_PORC, CODE_CREDITO, CODE_DEBITO, CODE_DETALLE, CODE_FACTOR,
           CODE_AJUSTE_TABLA, CODE_AJUSTE_ID, CODE_NIT
      from COMPROBANTE_DET
     where COMP_ID = :COMP_ID
     order by CODE_LINEA;

    /* The reversal exists, so the invoices' marks may now be cleared. */
    if (libro = 'L') then
        update FACTURA set FACT_COMP_LOCAL = null where FACT_COMP_LOCAL = :COMP_ID;
    else
        update FACTURA set FACT_COMP_NIIF = null where FACT_COMP_NIIF = :COMP_ID;

    select coalesce(sum(CODE_DEBITO), 0) from COMPROBANTE_DET where COMP_ID = :REVERSION into :total;
    update COMPROBANTE
       set COMP_ESTADO = 'C', COMP_TOTAL = :total, COMP_FACTURAS = :facturas,
           COMP_FACT_PRIMERA = :primera, COMP_FACT_ULTIMA = :ultima
     where COMP_ID = :REVERSION;
end^

create procedure REVIERTE_CONTADO (FECINI date, FECFIN date, LIBRO char(1))
returns (FECHA date, PREFIJO varchar(4), TIPO varchar(4), NUMERO integer, REVIERTE integer,
         FACTURAS integer, TOTAL decimal(15,2))
as
declare variable lote integer;
declare variable comp integer;
declare variable reversion integer;
begin
    if (LIBRO is distinct from 'L' and LIBRO is distinct from 'N') then
        exception E_CONTADO_REVERSION 'El libro a revertir es L (local) o N (NIIF), no ' || coalesce(LIBRO, 'ninguno') || '.';
    TIPO = iif(LIBRO = 'L', 'VC', 'VCN');
    lote = gen_id(GEN_LOTE_CONTADO, 1);
    /* Sorted before the first reversal is written; the reversals written in the
       loop name a voucher, so the filter would leave them out in any case. */
    for select c.COMP_ID
          from COMPROBANTE c
         where c.COMP_FECHA between :FECINI and :FECFIN and c.TICO_CODIGO = :TIPO
           and c.COMP_ESTADO = 'C' and c.COMP_REVIERTE is null
           and not exists (select 1 from COMPROBANTE r where r.COMP_REVIERTE = c.COMP_ID)
         order by c.COMP_FECHA, c.COMP_PREFIJO, c.COMP_NUMERO
          into :comp
    do
        execute procedure REVIERTE_COMPROBANTE (:comp, :lote) returning_values :reversion;

    for select r.COMP_FECHA, r.COMP_PREFIJO, r.COMP_NUMERO, o.COMP_NUMERO, r.COMP_FACTURAS, r.COMP_TOTAL
          from COMPROBANTE r join COMPROBANTE o on o.COMP_ID = r.COMP_REVIERTE
         where r.COMP_LOTE = :lote
         order by o.COMP_FECHA, o.COMP_PREFIJO, o.COMP_NUMERO
          into :FECHA, :PREFIJO, :NUMERO, :REVIERTE, :FACTURAS, :TOTAL
    do
        suspend;
end^

set term ;^

/* A user who may reverse needs only EXECUTE on REVIERTE_CONTADO. */
grant select, insert, update on COMPROBANTE to procedure REVIERTE_COMPROBANTE;
grant select, insert on COMPROBANTE_DET to procedure REVIERTE_COMPROBANTE;
grant select on TIPO_COMPROBANTE to procedure REVIERTE_COMPROBANTE;
grant update on TIPO_COMPROBANTE to procedure REVIERTE_COMPROBANTE;
grant select, update on FACTURA to procedure REVIERTE_COMPROBANTE;
grant usage on generator GEN_COMPROBANTE to procedure REVIERTE_COMPROBANTE;
grant usage on generator GEN_COMPROBANTE_DET to procedure REVIERTE_COMPROBANTE;
grant usage on exception E_CONTADO_REVERSION to procedure REVIERTE_COMPROBANTE;
grant select on COMPROBANTE to procedure REVIERTE_CONTADO;
grant usage on generator GEN_LOTE_CONTADO to procedure REVIERTE_CONTADO;
grant execute on procedure REVIERTE_COMPROBANTE to procedure REVIERTE_CONTADO;
grant usage on exception E_CONTADO_REVERSION to procedure REVIERTE_CONTADO;
