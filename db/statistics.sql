/* Index statistics: the optimizer's picture of how selective each index is.
   A new database has none (every figure 0); they go stale as the tables grow.
   The posting procedures carry their plans and do not depend on them, but every
   other query does. ACTUALIZA_ESTADISTICAS recomputes them all. */

set term ^;

create procedure ACTUALIZA_ESTADISTICAS
as
declare variable indice varchar(63);
begin
    for select trim(RDB$INDEX_NAME) from RDB$INDICES
         where coalesce(RDB$SYSTEM_FLAG, 0) = 0 and coalesce(RDB$INDEX_INACTIVE, 0) = 0
          into :indice
    do
        execute statement 'set statistics index "' || replace(indice, '"', '""') || '"';
end^

set term ;^
