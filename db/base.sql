/* Rows every company database starts with: the VAT rates, the company's
   settings, the accounts of the cash posting and its voucher kinds. */

insert into TARIFA_IVA (TAIV_ID, TAIV_NOMBRE, TAIV_PORC) values (1, 'Excluido', 0);
insert into TARIFA_IVA (TAIV_ID, TAIV_NOMBRE, TAIV_PORC) values (2, 'IVA 5%', 5);
insert into TARIFA_IVA (TAIV_ID, TAIV_NOMBRE, TAIV_PORC) values (3, 'IVA general 19%', 19);

insert into EMPRESA (EMPR_ID, EMPR_NOMBRE, EMPR_NIT, EMPR_NIT_CONTADO)
values (1, 'Empresa', null, '222222222222');

/* Local chart (8 digits) and NIIF chart (10 digits). */
insert into CUENTA values ('11050501', 'Caja general', 'L');
insert into CUENTA values ('13809501', 'Tarjetas y transferencias por cobrar', 'L');
insert into CUENTA values ('41350501', 'Ventas excluidas de IVA', 'L');
insert into CUENTA values ('41350502', 'Ventas gravadas al 5%', 'L');
insert into CUENTA values ('41350503', 'Ventas gravadas al 19%', 'L');
insert into CUENTA values ('24080102', 'IVA generado 5%', 'L');
insert into CUENTA values ('24080103', 'IVA generado 19%', 'L');

insert into CUENTA values ('1105050001', 'Efectivo en caja', 'N');
insert into CUENTA values ('1380950001', 'Cuentas por cobrar medios de pago electronicos', 'N');
insert into CUENTA values ('4135050001', 'Ingresos de actividades ordinarias excluidas', 'N');
insert into CUENTA values ('4135050002', 'Ingresos de actividades ordinarias 5%', 'N');
insert into CUENTA values ('4135050003', 'Ingresos de actividades ordinarias 19%', 'N');
insert into CUENTA values ('2408010002', 'Impuesto a las ventas por pagar 5%', 'N');
insert into CUENTA values ('2408010003', 'Impuesto a las ventas por pagar 19%', 'N');

insert into CUENTA_TARIFA values (0,  '11050501', '1105050001', '13809501', '1380950001',
                                      '41350501', '4135050001', null, null);
insert into CUENTA_TARIFA values (5,  '11050501', '1105050001', '13809501', '1380950001',
                                      '41350502', '4135050002', '24080102', '2408010002');
insert into CUENTA_TARIFA values (19, '11050501', '1105050001', '13809501', '1380950001',
                                      '41350503', '4135050003', '24080103', '2408010003');

insert into TIPO_COMPROBANTE (TICO_CODIGO, TICO_NOMBRE, TICO_LIBRO) values ('VC', 'Ventas de contado', 'L');
insert into TIPO_COMPROBANTE (TICO_CODIGO, TICO_NOMBRE, TICO_LIBRO) values ('VCN', 'Ventas de contado NIIF', 'N');

commit;
