/* Demo data: a year of invoices of two points of sale (PV01, PV02) up to the
   day the database is created, today included, mostly to the cash customer, and
   standing closing adjustments for last year and this year. The invoices come
   from a fixed pseudo-random sequence, so the same day gives the same data.
   Nothing is posted yet. */

update EMPRESA set EMPR_NOMBRE = 'Distribuidora Quelmar (demostracion)', EMPR_NIT = '900123456'
 where EMPR_ID = 1;

set term ^;

execute block as
declare variable hoy date;
declare variable dia date;
declare variable semilla bigint = 20260523;
declare variable facturas integer;
declare variable i integer;
declare variable prefijo varchar(4);
declare variable numero integer;
declare variable num1 integer = 0;
declare variable num2 integer = 0;
declare variable nit varchar(20);
declare variable fact integer;
declare variable tarifas integer;
declare variable k integer;
declare variable porc decimal(15,4);
declare variable base decimal(15,2);
begin
    hoy = current_date;
    dia = dateadd(-1 year to hoy) + 1;
    while (dia <= hoy) do
    begin
        /* Linear congruential steps; the upper bits (/ 65536) are the random part. */
        semilla = mod(semilla * 1103515245 + 12345, 2147483648);
        facturas = 3 + mod(semilla / 65536, 6);
        i = 0;
        while (i < facturas) do
        begin
            semilla = mod(semilla * 1103515245 + 12345, 2147483648);
            if (mod(semilla / 65536, 3) = 0) then
            begin
                prefijo = 'PV02';
                num2 = num2 + 1;
                numero = num2;
            end
            else
            begin
                prefijo = 'PV01';
                num1 = num1 + 1;
                numero = num1;
            end
            /* One invoice in four goes to an identified customer. */
            nit = decode(mod(semilla / 256, 8), 0, '800197268', 1, '900431562', '222222222222');
            insert into FACTURA (FACT_ID, FACT_PREFIJO, FACT_NUMERO, FACT_FECHA, FACT_NIT)
            values (0, :prefijo, :numero, :dia, :nit)
            returning FACT_ID into :fact;

            /* A non-empty subset of the rates 0, 5 and 19 (bits 1, 2, 4). */
            semilla = mod(semilla * 1103515245 + 12345, 2147483648);
            tarifas = 1 + mod(semilla / 65536, 7);
            k = 0;
            while (k < 3) do
            begin
                if (bin_and(tarifas, bin_shl(1, k)) <> 0) then
                begin
                    porc = decode(k, 0, 0, 1, 5, 19);
                    semilla = mod(semilla * 1103515245 + 12345, 2147483648);
                    base = 1000 + mod(semilla / 65536, 299000) + mod(semilla, 100) * 0.01;
                    insert into FACTURA_DET (FADE_ID, FACT_ID, FADE_PORC, FADE_BASE, FADE_IVA)
                    values (0, :fact, :porc, :base, round(:base * :porc / 100, 2));
                end
                k = k + 1;
            end
            i = i + 1;
        end
        dia = dia + 1;
    end
end^

/* Standing adjustments: 80 % of the cash customer's sales received in cash,
   last year and this year, in one general row per rate; PV02 takes 90 % at
   19 % this year. The PV02 row starts later than the general one, so the
   unattended run, which derives a day's rows from the row of each rate that
   starts latest, takes it: PV02 gets its 90 % from the day's row and PV01,
   which that row does not name, its 80 % from the standing general row. */
execute block as
declare variable inicio date;
declare variable anterior date;
begin
    inicio = current_date - extract(yearday from current_date);
    anterior = dateadd(-1 year to inicio);
    insert into AJUSTE_CIERRE_AUTO (AJCI_ID, AJCI_FECINI, AJCI_FECFIN, AJCI_PORC, AJCI_FACTOR, AJCI_PREFNO)
    select 0, :anterior, dateadd(1 year to :inicio) - 1, TAIV_PORC, 0.8, null from TARIFA_IVA order by TAIV_PORC;
    insert into AJUSTE_CIERRE_AUTO (AJCI_ID, AJCI_FECINI, AJCI_FECFIN, AJCI_PORC, AJCI_FACTOR, AJCI_PREFNO)
    values (0, :inicio, dateadd(1 year to :inicio) - 1, 19, 0.9, 'PV02');
end^

set term ;^

commit;
