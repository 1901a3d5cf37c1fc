/* What keeps the books as they were posted, and the setup consistent.

   A voucher is written open (COMP_ESTADO 'A') and posted by closing it ('C'),
   which the trigger allows only for a voucher with lines whose debits and
   credits balance and add up to COMP_TOTAL. A posted voucher and its lines
   never change again; nor does a posted invoice or its lines. An invoice is
   marked only by the open voucher of its book, day and point of sale, and its
   mark is cleared only while that voucher is open or once it has been reversed
   (REVIERTE_CONTADO),
   so every posting and every undoing of one stays on record. */

create exception E_CONTADO_CERRADO 'Un comprobante contabilizado no se puede modificar ni borrar.';
create exception E_CONTADO_FACTURA 'Una factura contabilizada no se puede modificar ni borrar.';
create exception E_CONTADO_DESCUADRE 'El comprobante no cuadra: debitos y creditos difieren.';
create exception E_CONTADO_REVERSION 'El comprobante no se puede revertir.';
create exception E_CONTADO_PLAN 'La cuenta no es del plan contable que le corresponde.';
create exception E_AJUSTE_EMPATE 'Dos tarifas previstas de la misma tarifa de IVA no pueden empezar el mismo dia.';

set term ^;

/* ---- Vouchers ---- */

create trigger COMPROBANTE_BI for COMPROBANTE active before insert position 0 as
declare variable estado char(1);
declare variable tipo varchar(4);
declare variable numero integer;
declare variable reversion varchar(20);
begin
    /* The trail is the database's own: who wrote the voucher and when. */
    new.COMP_ESTADO = 'A';
    new.COMP_USUARIO = current_user;
    new.COMP_CREADO = current_timestamp;
    if (new.COMP_REVIERTE is not null) then
    begin
        select COMP_ESTADO, TICO_CODIGO, COMP_NUMERO, iif(COMP_REVIERTE is null, null, 'una reversion')
          from COMPROBANTE where COMP_ID = new.COMP_REVIERTE
          into :estado, :tipo, :numero, :reversion;
        if (estado is distinct from 'C' or reversion is not null) then
            exception E_CONTADO_REVERSION 'Solo se revierte un comprobante contabilizado que no sea a su vez '
                || 'una reversion (comprobante ' || new.COMP_REVIERTE || ').';
        select first 1 TICO_CODIGO || ' ' || COMP_NUMERO from COMPROBANTE
         where COMP_REVIERTE = new.COMP_REVIERTE into :reversion;
        if (reversion is not null) then
            exception E_CONTADO_REVERSION 'El comprobante ' || tipo || ' ' || numero
                || ' ya fue revertido por el ' || reversion || '.';
    end
end^

create trigger COMPROBANTE_BU for COMPROBANTE active before update position 0 as
declare variable lineas integer;
declare variable debitos decimal(15,2);
declare variable creditos decimal(15,2);
begin
    if (old.COMP_ESTADO = 'C') then
        exception E_CONTADO_CERRADO 'El comprobante ' || old.TICO_CODIGO || ' ' || old.COMP_NUMERO
            || ' esta contabilizado: no se puede modificar ni borrar. Para corregirlo, revierta la '
            || 'contabilizacion (REVIERTE_CONTADO) y contabilice de nuevo.';
    new.COMP_USUARIO = old.COMP_USUARIO;
    new.COMP_CREADO = old.COMP_CREADO;
    if (new.COMP_REVIERTE is distinct from old.COMP_REVIERTE) then
        exception E_CONTADO_REVERSION 'El comprobante que se revierte se indica al crear la reversion.';
    if (new.COMP_ESTADO = 'C') then
    begin
        select count(*), coalesce(sum(CODE_DEBITO), 0), coalesce(sum(CODE_CREDITO), 0)
          from COMPROBANTE_DET where COMP_ID = new.COMP_ID
          into :lineas, :debitos, :creditos;
        if (lineas = 0 or debitos <> creditos or new.COMP_TOTAL is distinct from debitos) then
            exception E_CONTADO_DESCUADRE 'El comprobante ' || new.TICO_CODIGO || ' ' || new.COMP_NUMERO
                || ' no cuadra: ' || lineas || ' lineas, debitos ' || debitos || ', creditos ' || creditos
                || ', total ' || coalesce(new.COMP_TOTAL, 'ninguno') || '.';
    end
end^

create trigger COMPROBANTE_BD for COMPROBANTE active before delete position 0 as
begin
    if (old.COMP_ESTADO = 'C') then
        exception E_CONTADO_CERRADO 'El comprobante ' || old.TICO_CODIGO || ' ' || old.COMP_NUMERO
            || ' esta contabilizado: no se puede modificar ni borrar. Para anularlo, revierta la '
            || 'contabilizacion (REVIERTE_CONTADO).';
end^

create trigger COMPROBANTE_DET_BIUD for COMPROBANTE_DET active before insert or update or delete position 0 as
declare variable comprobante varchar(20);
begin
    /* The voucher a line leaves, then the one it goes to: neither may be posted. */
    comprobante = null;
    if (not inserting) then
        select TICO_CODIGO || ' ' || COMP_NUMERO from COMPROBANTE
         where COMP_ID = old.COMP_ID and COMP_ESTADO = 'C' into :comprobante;
    if (comprobante is null and not deleting) then
        select TICO_CODIGO || ' ' || COMP_NUMERO from COMPROBANTE
         where COMP_ID = new.COMP_ID and COMP_ESTADO = 'C' into :comprobante;
    if (comprobante is not null) then
        exception E_CONTADO_CERRADO 'El comprobante ' || comprobante
            || ' esta contabilizado: sus lineas no se pueden agregar, modificar ni borrar.';
end^

/* ---- Invoices ---- */

/* Runs for every invoice a posting marks: an update that leaves the marks
   alone returns at once. */
create trigger FACTURA_BIU for FACTURA active before insert or update position 1 as
declare variable antes_local integer;
declare variable antes_niif integer;
declare variable comp integer;
declare variable libro char(1);
declare variable estado char(1);
declare variable fecha date;
declare variable prefijo varchar(4);
declare variable libro_comp char(1);
begin
    antes_local = null;
    antes_niif = null;
    if (updating) then
    begin
        antes_local = old.FACT_COMP_LOCAL;
        antes_niif = old.FACT_COMP_NIIF;
        if ((antes_local is not null or antes_niif is not null)
            and (new.FACT_ID <> old.FACT_ID or new.FACT_PREFIJO <> old.FACT_PREFIJO
                 or new.FACT_NUMERO <> old.FACT_NUMERO or new.FACT_FECHA <> old.FACT_FECHA
                 or new.FACT_NIT <> old.FACT_NIT)) then
            exception E_CONTADO_FACTURA 'La factura ' || old.FACT_PREFIJO || '-' || old.FACT_NUMERO
                || ' esta contabilizada: no se puede modificar ni borrar.';
    end
    if (new.FACT_COMP_LOCAL is not distinct from antes_local
        and new.FACT_COMP_NIIF is not distinct from antes_niif) then
        exit;

    /* A mark cleared: while its voucher is still open, or once it has been reversed. */
    comp = iif(new.FACT_COMP_LOCAL is null and antes_local is not null, antes_local,
               iif(new.FACT_COMP_NIIF is null and antes_niif is not null, antes_niif, null));
    if (comp is not null) then
        if (not exists (select 1 from COMPROBANTE where COMP_ID = :comp and COMP_ESTADO = 'A')
            and not exists (select 1 from COMPROBANTE where COMP_REVIERTE = :comp)) then
            exception E_CONTADO_FACTURA 'La factura ' || new.FACT_PREFIJO || '-' || new.FACT_NUMERO
                || ' esta contabilizada: solo queda libre al revertir su comprobante (REVIERTE_CONTADO).';
    /* A mark moved from one voucher to another. */
    if ((antes_local is not null and new.FACT_COMP_LOCAL is not null and antes_local <> new.FACT_COMP_LOCAL)
        or (antes_niif is not null and new.FACT_COMP_NIIF is not null and antes_niif <> new.FACT_COMP_NIIF)) then
        exception E_CONTADO_FACTURA 'La factura ' || new.FACT_PREFIJO || '-' || new.FACT_NUMERO
            || ' ya esta contabilizada en otro comprobante: revierta ese primero (REVIERTE_CONTADO).';
    /* A mark set: by the open voucher of its book, day and point of sale. */
    libro = 'L';
    comp = iif(antes_local is null, new.FACT_COMP_LOCAL, null);
    while (libro is not null) do
    begin
        if (comp is not null) then
        begin
            estado = null;
            select c.COMP_ESTADO, c.COMP_FECHA, c.COMP_PREFIJO, t.TICO_LIBRO
              from COMPROBANTE c join TIPO_COMPROBANTE t on t.TICO_CODIGO = c.TICO_CODIGO
             where c.COMP_ID = :comp
              into :estado, :fecha, :prefijo, :libro_comp;
            if (estado is distinct from 'A' or libro_comp <> libro or fecha <> new.FACT_FECHA
                or prefijo <> new.FACT_PREFIJO) then
                exception E_CONTADO_FACTURA 'La factura ' || new.FACT_PREFIJO || '-' || new.FACT_NUMERO
                    || ' solo la marca el comprobante abierto de su libro, dia y punto de venta, al '
                    || 'contabilizarla.';
        end
        if (libro = 'L') then
        begin
            libro = 'N';
            comp = iif(antes_niif is null, new.FACT_COMP_NIIF, null);
        end
        else
            libro = null;
    end
end^

create trigger FACTURA_BD for FACTURA active before delete position 0 as
begin
    if (old.FACT_COMP_LOCAL is not null or old.FACT_COMP_NIIF is not null) then
        exception E_CONTADO_FACTURA 'La factura ' || old.FACT_PREFIJO || '-' || old.FACT_NUMERO
            || ' esta contabilizada: no se puede modificar ni borrar.';
end^

create trigger FACTURA_DET_BIUD for FACTURA_DET active before insert or update or delete position 1 as
declare variable factura varchar(20);
begin
    factura = null;
    if (not inserting) then
        select FACT_PREFIJO || '-' || FACT_NUMERO from FACTURA
         where FACT_ID = old.FACT_ID and (FACT_COMP_LOCAL is not null or FACT_COMP_NIIF is not null)
          into :factura;
    if (factura is null and not deleting) then
        select FACT_PREFIJO || '-' || FACT_NUMERO from FACTURA
         where FACT_ID = new.FACT_ID and (FACT_COMP_LOCAL is not null or FACT_COMP_NIIF is not null)
          into :factura;
    if (factura is not null) then
        exception E_CONTADO_FACTURA 'La factura ' || factura
            || ' esta contabilizada: sus lineas no se pueden agregar, modificar ni borrar.';
end^

/* ---- Accounts of a rate: each in the chart of its column ---- */

create trigger CUENTA_TARIFA_BIU for CUENTA_TARIFA active before insert or update position 0 as
declare variable columna varchar(31);
declare variable cuenta varchar(16);
declare variable plan_columna char(1);
declare variable plan_cuenta char(1);
begin
    for select c.COLUMNA, c.CUENTA, c.PLAN_COLUMNA from (
            select 'CUTA_CAJA' COLUMNA, new.CUTA_CAJA CUENTA, 'L' PLAN_COLUMNA from RDB$DATABASE
            union all select 'CUTA_CAJA_NIIF', new.CUTA_CAJA_NIIF, 'N' from RDB$DATABASE
            union all select 'CUTA_TARJETA', new.CUTA_TARJETA, 'L' from RDB$DATABASE
            union all select 'CUTA_TARJETA_NIIF', new.CUTA_TARJETA_NIIF, 'N' from RDB$DATABASE
            union all select 'CUTA_INGRESO', new.CUTA_INGRESO, 'L' from RDB$DATABASE
            union all select 'CUTA_INGRESO_NIIF', new.CUTA_INGRESO_NIIF, 'N' from RDB$DATABASE
            union all select 'CUTA_IVA', new.CUTA_IVA, 'L' from RDB$DATABASE
            union all select 'CUTA_IVA_NIIF', new.CUTA_IVA_NIIF, 'N' from RDB$DATABASE) c
         where c.CUENTA is not null
          into :columna, :cuenta, :plan_columna
    do begin
        plan_cuenta = null;
        select CUEN_PLAN from CUENTA where CUEN_CODIGO = :cuenta into :plan_cuenta;
        /* An account that does not exist is left to the foreign key. */
        if (plan_cuenta <> plan_columna) then
            exception E_CONTADO_PLAN 'La cuenta ' || cuenta || ' es del plan '
                || trim(iif(plan_cuenta = 'L', 'local', 'NIIF')) || ': no puede ir en ' || trim(columna)
                || ' (tarifa ' || new.CUTA_PORC || '), que lleva una cuenta del plan '
                || trim(iif(plan_columna = 'L', 'local', 'NIIF')) || '.';
    end
end^

/* An account named by CUENTA_TARIFA keeps its chart. */
create trigger CUENTA_BU for CUENTA active before update position 0 as
begin
    if (new.CUEN_PLAN <> old.CUEN_PLAN and exists (
            select 1 from CUENTA_TARIFA
             where old.CUEN_CODIGO in (CUTA_CAJA, CUTA_CAJA_NIIF, CUTA_TARJETA, CUTA_TARJETA_NIIF,
                                       CUTA_INGRESO, CUTA_INGRESO_NIIF, CUTA_IVA, CUTA_IVA_NIIF))) then
        exception E_CONTADO_PLAN 'La cuenta ' || old.CUEN_CODIGO || ' esta en CUENTA_TARIFA: no puede '
            || 'cambiar de plan contable.';
end^

/* ---- Standing adjustments: no tie in the derivation of a day's rows ---- */

create trigger AJUSTE_CIERRE_AUTO_BIU for AJUSTE_CIERRE_AUTO active before insert or update position 1 as
declare variable otro integer;
begin
    otro = null;
    select first 1 AJCI_ID from AJUSTE_CIERRE_AUTO
     where AJCI_PORC = new.AJCI_PORC and AJCI_FECINI = new.AJCI_FECINI
       and AJCI_ID <> iif(updating, old.AJCI_ID, new.AJCI_ID)
      into :otro;
    if (otro is not null) then
        exception E_AJUSTE_EMPATE 'La tarifa prevista ' || otro || ' de la tarifa de IVA ' || new.AJCI_PORC
            || ' ya empieza el ' || new.AJCI_FECINI || ': dos filas de una tarifa no pueden empezar el '
            || 'mismo dia, pues la del dia se toma de la que empieza mas tarde. Cambie el dia de inicio.';
end^

set term ;^

/* The triggers hold the rights they use, so a user needs only rights on the
   tables they change (or EXECUTE on the procedures that change them). */
grant select on COMPROBANTE to trigger COMPROBANTE_BI;
grant usage on exception E_CONTADO_REVERSION to trigger COMPROBANTE_BI;
grant select on COMPROBANTE_DET to trigger COMPROBANTE_BU;
grant usage on exception E_CONTADO_CERRADO to trigger COMPROBANTE_BU;
grant usage on exception E_CONTADO_REVERSION to trigger COMPROBANTE_BU;
grant usage on exception E_CONTADO_DESCUADRE to trigger COMPROBANTE_BU;
grant usage on exception E_CONTADO_CERRADO to trigger COMPROBANTE_BD;
grant select on COMPROBANTE to trigger COMPROBANTE_DET_BIUD;
grant usage on exception E_CONTADO_CERRADO to trigger COMPROBANTE_DET_BIUD;
grant select on COMPROBANTE to trigger FACTURA_BIU;
grant select on TIPO_COMPROBANTE to trigger FACTURA_BIU;
grant usage on exception E_CONTADO_FACTURA to trigger FACTURA_BIU;
grant usage on exception E_CONTADO_FACTURA to trigger FACTURA_BD;
grant select on FACTURA to trigger FACTURA_DET_BIUD;
grant usage on exception E_CONTADO_FACTURA to trigger FACTURA_DET_BIUD;
grant select on CUENTA to trigger CUENTA_TARIFA_BIU;
grant usage on exception E_CONTADO_PLAN to trigger CUENTA_TARIFA_BIU;
grant select on CUENTA_TARIFA to trigger CUENTA_BU;
grant usage on exception E_CONTADO_PLAN to trigger CUENTA_BU;
grant select on AJUSTE_CIERRE_AUTO to trigger AJUSTE_CIERRE_AUTO_BIU;
grant usage on exception E_AJUSTE_EMPATE to trigger AJUSTE_CIERRE_AUTO_BIU;
