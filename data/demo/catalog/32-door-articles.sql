-- Demo catalog, part 5: articles of handles and door elements.
--
-- Catalog groups used: 201 main locks with a middle handle position, 207 rods, 208 latches,
-- 213 hinges, 214 cover caps, 215 keepers, 216 packers, 217 balcony latches, 221 window handles,
-- 222 door locks and cylinders, 223 door hinges, 224 door handles, 225 door closers,
-- 226 door accessories.

-- E610 window handle and E615 window handle with key, by hardware colour; the plain handle
-- serves the colourless code and every colour the catalog has no handle for.
INSERT INTO Catalog (ID, "Group", System, FrontColor, Article, ProdArticle, ProdArticle2, UseArticle, Name, ShortName, Unit, Price, PriceGrp, Currency, "Use") VALUES
  ('DUV-61000', 221, '100', '',   'РО-00',  'DV 610.00', '6100000', 1, 'Ручка оконная, алюминий без покрытия',        'Ручка ок.',          'шт', 4.40, 1, 2, 1),
  ('DUV-61001', 221, '100', 'WH', 'РО-01',  'DV 610.01', '6100001', 1, 'Ручка оконная, белая',                        'Ручка ок. бел',      'шт', 4.90, 1, 2, 1),
  ('DUV-61002', 221, '100', 'BR', 'РО-02',  'DV 610.02', '6100002', 1, 'Ручка оконная, коричневая',                   'Ручка ок. кор',      'шт', 4.90, 1, 2, 1),
  ('DUV-61003', 221, '100', 'SL', 'РО-03',  'DV 610.03', '6100003', 1, 'Ручка оконная, серебро',                      'Ручка ок. сер',      'шт', 5.30, 1, 2, 1),
  ('DUV-61500', 221, '100', '',   'РОК-00', 'DV 615.00', '6150000', 1, 'Ручка оконная с ключом, алюминий без покрытия','Ручка ок. ключ',     'шт', 9.10, 1, 2, 1),
  ('DUV-61501', 221, '100', 'WH', 'РОК-01', 'DV 615.01', '6150001', 1, 'Ручка оконная с ключом, белая',               'Ручка ок. ключ бел', 'шт', 9.80, 1, 2, 1),
  ('DUV-61502', 221, '100', 'BR', 'РОК-02', 'DV 615.02', '6150002', 1, 'Ручка оконная с ключом, коричневая',          'Ручка ок. ключ кор', 'шт', 9.80, 1, 2, 1),
  ('DUV-61503', 221, '100', 'SL', 'РОК-03', 'DV 615.03', '6150003', 1, 'Ручка оконная с ключом, серебро',             'Ручка ок. ключ сер', 'шт', 10.20, 1, 2, 1);
INSERT INTO FrnArt (ID, CatalogID, Color) VALUES
  ('E610', 'DUV-61000', ''), ('E610', 'DUV-61001', 'WH'), ('E610', 'DUV-61002', 'BR'), ('E610', 'DUV-61003', 'SL'),
  ('E615', 'DUV-61500', ''), ('E615', 'DUV-61501', 'WH'), ('E615', 'DUV-61502', 'BR'), ('E615', 'DUV-61503', 'SL');

-- E620 door push-handle set (priced in USD) and E625 shell pull of a balcony door, by colour.
INSERT INTO Catalog (ID, "Group", System, FrontColor, Article, ProdArticle, ProdArticle2, UseArticle, Name, ShortName, Unit, Price, PriceGrp, Currency, "Use") VALUES
  ('DUV-62000', 224, '120', '',   'ГД-00', 'DV 620.00', '6200000', 1, 'Гарнитур нажимной дверной под цилиндр, без покрытия', 'Гарнитур дв.',     'шт', 25.50, 1, 3, 1),
  ('DUV-62001', 224, '120', 'WH', 'ГД-01', 'DV 620.01', '6200001', 1, 'Гарнитур нажимной дверной под цилиндр, белый',        'Гарнитур дв. бел', 'шт', 27.00, 1, 3, 1),
  ('DUV-62002', 224, '120', 'BR', 'ГД-02', 'DV 620.02', '6200002', 1, 'Гарнитур нажимной дверной под цилиндр, коричневый',   'Гарнитур дв. кор', 'шт', 27.00, 1, 3, 1),
  ('DUV-62003', 224, '120', 'SL', 'ГД-03', 'DV 620.03', '6200003', 1, 'Гарнитур нажимной дверной под цилиндр, серебро',      'Гарнитур дв. сер', 'шт', 28.50, 1, 3, 1),
  ('DUV-62500', 224, '120', '',   'РР-00', 'DV 625.00', '6250000', 1, 'Ручка-ракушка, без покрытия',                         'Ракушка',          'шт', 2.90,  1, 2, 1),
  ('DUV-62501', 224, '120', 'WH', 'РР-01', 'DV 625.01', '6250001', 1, 'Ручка-ракушка, белая',                                'Ракушка бел',      'шт', 3.20,  1, 2, 1),
  ('DUV-62502', 224, '120', 'BR', 'РР-02', 'DV 625.02', '6250002', 1, 'Ручка-ракушка, коричневая',                           'Ракушка кор',      'шт', 3.20,  1, 2, 1),
  ('DUV-62503', 224, '120', 'SL', 'РР-03', 'DV 625.03', '6250003', 1, 'Ручка-ракушка, серебро',                              'Ракушка сер',      'шт', 3.40,  1, 2, 1);
INSERT INTO FrnArt (ID, CatalogID, Color) VALUES
  ('E620', 'DUV-62000', ''), ('E620', 'DUV-62001', 'WH'), ('E620', 'DUV-62002', 'BR'), ('E620', 'DUV-62003', 'SL'),
  ('E625', 'DUV-62500', ''), ('E625', 'DUV-62501', 'WH'), ('E625', 'DUV-62502', 'BR'), ('E625', 'DUV-62503', 'SL');

-- E210 main lock of tilt-and-turn balcony doors by rebate height; the handle sits at 1050 mm.
INSERT INTO Catalog (ID, "Group", System, Article, ProdArticle, ProdArticle2, UseArticle, Name, ShortName, Unit, Price, PriceGrp, Currency, "Use") VALUES
  ('DUV-21001', 202, '120', 'ЗДПО-2200', 'DV 210.220', '2102201', 1, 'Запор дверной поворотно-откидной, ВФ 1800-2200, ПР 1050', 'Запор ДПО 2200', 'шт', 19.80, 1, 2, 1),
  ('DUV-21002', 202, '120', 'ЗДПО-2400', 'DV 210.240', '2102401', 1, 'Запор дверной поворотно-откидной, ВФ 2201-2400, ПР 1050', 'Запор ДПО 2400', 'шт', 22.40, 1, 2, 1);
INSERT INTO FrnArt (ID, CatalogID, FalzLuft, DornMassMin, DornMassMax, FFHMin, FFHMax, HandleHeight) VALUES
  ('E210', 'DUV-21001', 12, 15, 15, 180, 220, 1050),
  ('E210', 'DUV-21002', 12, 15, 15, 221, 240, 1050);
INSERT INTO FrnSchl (CatalogID, Item, Number, StulpType, PropKey, ItemSideNo, ItemComplectID) VALUES
  ('DUV-21001', 'E510', 3, 0, 21, 0, ''), ('DUV-21001', 'E530', 3, 6, 22, 0, ''),
  ('DUV-21002', 'E510', 4, 0, 21, 0, ''), ('DUV-21002', 'E530', 4, 6, 22, 0, '');

-- E230 door stay, E235 aluminium threshold cut to the door width (priced per metre in roubles),
-- E250 balcony latch with its keeper, E268 middle door hinge.
INSERT INTO Catalog (ID, "Group", System, Article, ProdArticle, ProdArticle2, UseArticle, Name, ShortName, Unit, Price, PriceGrp, Currency, "Use") VALUES
  ('DUV-23001', 226, '120', 'ОД-1',  'DV 230.001', '2300011', 1, 'Ограничитель открывания дверной',  'Огранич. дв.',   'шт', 6.40, 1, 2, 1),
  ('DUV-25001', 217, '120', 'ЗБ-12', 'DV 250.012', '2500121', 1, 'Защелка балконная, фальц 12 мм',   'Защелка балк.',  'шт', 7.20, 1, 2, 1),
  ('DUV-26801', 213, '120', 'ПДС',   'DV 268.001', '2680011', 2, 'Петля дверная средняя',            'Петля дв. сред.', 'шт', 6.10, 1, 2, 1);
INSERT INTO Catalog (ID, "Group", System, Article, ProdArticle, ProdArticle2, UseArticle, Name, ShortName, Unit, CutAvailable, MinLength, MaxLength, Price, PriceGrp, Currency, "Use") VALUES
  ('DUV-23501', 226, '120', 'ПА-2000', 'DV 235.200', '2352001', 1, 'Порог дверной алюминиевый, отрезаемый по размеру', 'Порог', 'м', 1, 400, 2000, 1450.00, 0, 1, 1);
INSERT INTO FrnArt (ID, CatalogID, FalzLuft) VALUES
  ('E230', 'DUV-23001', 0),
  ('E235', 'DUV-23501', 0),
  ('E250', 'DUV-25001', 12),
  ('E268', 'DUV-26801', 0);
INSERT INTO FrnSchl (CatalogID, Item, Number, StulpType, PropKey, ItemSideNo, ItemComplectID) VALUES
  ('DUV-25001', 'E570', 1, 0, 0, 0, '');

-- E280 door hinge by rebate height (up to 2200 mm, and a reinforced one above). Cover caps by
-- colour with a plain fallback; the packers come only when the hinge is fitted by the door
-- hinge kit HG-D.
INSERT INTO Catalog (ID, "Group", System, FrontColor, Article, ProdArticle, ProdArticle2, UseArticle, Name, ShortName, Unit, Price, PriceGrp, Currency, "Use") VALUES
  ('DUV-28001', 223, '120', '',   'ПД3-100', 'DV 280.100', '2801001', 2, 'Петля дверная 3D, ВФ 1800-2200',             'Петля дв. 3D',      'шт', 11.80, 1, 2, 1),
  ('DUV-28002', 223, '120', '',   'ПД3-140', 'DV 280.140', '2801401', 2, 'Петля дверная 3D усиленная, ВФ 2201-2600',   'Петля дв. 3D усил.', 'шт', 14.60, 1, 2, 1),
  ('DUV-91280', 214, '120', '',   'КПД-00',  'DV 912.80',  '9128000', 2, 'Колпачки петли дверной, без покрытия (2 шт.)', 'Колпачки ПД',     'шт', 0.60, 2, 2, 1),
  ('DUV-91281', 214, '120', 'WH', 'КПД-01',  'DV 912.81',  '9128001', 2, 'Колпачки петли дверной, белые (2 шт.)',       'Колпачки ПД бел', 'шт', 0.70, 2, 2, 1),
  ('DUV-91282', 214, '120', 'BR', 'КПД-02',  'DV 912.82',  '9128002', 2, 'Колпачки петли дверной, коричневые (2 шт.)',  'Колпачки ПД кор', 'шт', 0.70, 2, 2, 1),
  ('DUV-91283', 214, '120', 'SL', 'КПД-03',  'DV 912.83',  '9128003', 2, 'Колпачки петли дверной, серебро (2 шт.)',     'Колпачки ПД сер', 'шт', 0.70, 2, 2, 1),
  ('DUV-92280', 216, '120', '',   'ПДП-1',   'DV 922.80',  '9228001', 2, 'Подкладка под петлю дверную, 1 мм',            'Подкладка ПД',    'шт', 0.18, 2, 2, 1);
INSERT INTO FrnArt (ID, CatalogID, FFHMin, FFHMax) VALUES
  ('E280', 'DUV-28001', 180, 220),
  ('E280', 'DUV-28002', 221, 260);
INSERT INTO FrnAbd (CatalogID, Color, AccessoryID, Number, ItemSideNo, ItemComplectID) VALUES
  ('DUV-28001', 'WH', 'DUV-91281', 1, 0, ''), ('DUV-28001', 'BR', 'DUV-91282', 1, 0, ''),
  ('DUV-28001', 'SL', 'DUV-91283', 1, 0, ''), ('DUV-28001', '',   'DUV-91280', 1, 0, ''),
  ('DUV-28002', 'WH', 'DUV-91281', 1, 0, ''), ('DUV-28002', 'BR', 'DUV-91282', 1, 0, ''),
  ('DUV-28002', 'SL', 'DUV-91283', 1, 0, ''), ('DUV-28002', '',   'DUV-91280', 1, 0, '');
INSERT INTO FrnDop (CatalogID, AccessoryID, Number, PropKey, StulpType, ItemSideNo, ItemComplectID) VALUES
  ('DUV-28001', 'DUV-92280', 2, 0, 0, 0, 'HG-D'),
  ('DUV-28002', 'DUV-92280', 2, 0, 0, 0, 'HG-D');

-- E710 multi-point door lock by rebate height and backset (25 or 35 mm); the handle sits at
-- 1050 mm. Its keepers on a single door: three or four lock keepers and one latch-and-bolt
-- keeper. On a two-leaf door the passive leaf carries the counterpart (E750 / E751).
-- E715 upper lock rod, cut to the length left above the handle.
INSERT INTO Catalog (ID, "Group", System, Article, ProdArticle, ProdArticle2, UseArticle, Name, ShortName, Unit, Price, PriceGrp, Currency, "Use") VALUES
  ('DUV-71001', 222, '120', 'ЗМ25-2200', 'DV 710.25.220', '7102522', 1, 'Замок многозапорный, дорнмасс 25, ВФ 1800-2200', 'Замок 25/2200', 'шт', 96.00,  3, 2, 1),
  ('DUV-71002', 222, '120', 'ЗМ35-2200', 'DV 710.35.220', '7103522', 1, 'Замок многозапорный, дорнмасс 35, ВФ 1800-2200', 'Замок 35/2200', 'шт', 98.00,  3, 2, 1),
  ('DUV-71003', 222, '120', 'ЗМ25-2600', 'DV 710.25.260', '7102526', 1, 'Замок многозапорный, дорнмасс 25, ВФ 2201-2600', 'Замок 25/2600', 'шт', 112.00, 3, 2, 1),
  ('DUV-71004', 222, '120', 'ЗМ35-2600', 'DV 710.35.260', '7103526', 1, 'Замок многозапорный, дорнмасс 35, ВФ 2201-2600', 'Замок 35/2600', 'шт', 114.00, 3, 2, 1);
INSERT INTO FrnArt (ID, CatalogID, DornMassMin, DornMassMax, FFHMin, FFHMax, HandleHeight) VALUES
  ('E710', 'DUV-71001', 25, 25, 180, 220, 1050),
  ('E710', 'DUV-71002', 35, 35, 180, 220, 1050),
  ('E710', 'DUV-71003', 25, 25, 221, 260, 1050),
  ('E710', 'DUV-71004', 35, 35, 221, 260, 1050);
INSERT INTO FrnSchl (CatalogID, Item, Number, StulpType, PropKey, ItemSideNo, ItemComplectID) VALUES
  ('DUV-71001', 'E560', 3, 6, 0, 0, ''), ('DUV-71001', 'E565', 1, 6, 0, 0, ''),
  ('DUV-71002', 'E560', 3, 6, 0, 0, ''), ('DUV-71002', 'E565', 1, 6, 0, 0, ''),
  ('DUV-71003', 'E560', 4, 6, 0, 0, ''), ('DUV-71003', 'E565', 1, 6, 0, 0, ''),
  ('DUV-71004', 'E560', 4, 6, 0, 0, ''), ('DUV-71004', 'E565', 1, 6, 0, 0, '');
INSERT INTO Catalog (ID, "Group", System, Article, ProdArticle, ProdArticle2, UseArticle, Name, ShortName, Unit, CutAvailable, MinLength, MaxLength, Price, PriceGrp, Currency, "Use") VALUES
  ('DUV-71501', 207, '120', 'ТЗ-1600', 'DV 715.160', '7151601', 1, 'Тяга замка верхняя, отрезаемая по размеру', 'Тяга замка', 'м', 1, 300, 1600, 9.80, 1, 2, 1);
INSERT INTO FrnArt (ID, CatalogID) VALUES
  ('E715', 'DUV-71501');

-- E720 profile cylinder by profile thickness; E725 spare key (option "5 ключей").
INSERT INTO Catalog (ID, "Group", System, Article, ProdArticle, ProdArticle2, UseArticle, Name, ShortName, Unit, Price, PriceGrp, Currency, "Use") VALUES
  ('DUV-72001', 222, '120', 'ЦП-30/30', 'DV 720.3030', '7203030', 1, 'Цилиндр профильный 30/30 (профиль 58-64 мм)', 'Цилиндр 30/30', 'шт', 18.90, 3, 2, 1),
  ('DUV-72002', 222, '120', 'ЦП-35/35', 'DV 720.3535', '7203535', 1, 'Цилиндр профильный 35/35 (профиль 65-72 мм)', 'Цилиндр 35/35', 'шт', 21.40, 3, 2, 1),
  ('DUV-72003', 222, '120', 'ЦП-40/40', 'DV 720.4040', '7204040', 1, 'Цилиндр профильный 40/40 (профиль 73-82 мм)', 'Цилиндр 40/40', 'шт', 24.70, 3, 2, 1),
  ('DUV-72501', 226, '120', 'КЛ-1',     'DV 725.001',  '7250011', 1, 'Ключ к цилиндру дополнительный',                'Ключ доп.',     'шт', 2.80,  3, 2, 1);
INSERT INTO FrnArt (ID, CatalogID, ThicknessMin, ThicknessMax) VALUES
  ('E720', 'DUV-72001', 58, 64),
  ('E720', 'DUV-72002', 65, 72),
  ('E720', 'DUV-72003', 73, 82),
  ('E725', 'DUV-72501', 0,  0);

-- E730 door closer by rebate width (strength EN2, EN3, EN4) and colour; silver closers are the
-- ones listed for no colour. The strongest closer brings a reinforced bracket.
INSERT INTO Catalog (ID, "Group", System, FrontColor, Article, ProdArticle, ProdArticle2, UseArticle, Name, ShortName, Unit, Price, PriceGrp, Currency, "Use") VALUES
  ('DUV-73001', 225, '120', 'WH', 'ДВ2-01', 'DV 730.2.01', '7302001', 1, 'Доводчик дверной EN2, ширина до 950, белый',       'Доводчик EN2 бел', 'шт', 66.00,  1, 2, 1),
  ('DUV-73002', 225, '120', 'BR', 'ДВ2-02', 'DV 730.2.02', '7302002', 1, 'Доводчик дверной EN2, ширина до 950, коричневый',  'Доводчик EN2 кор', 'шт', 66.00,  1, 2, 1),
  ('DUV-73003', 225, '120', '',   'ДВ2-00', 'DV 730.2.00', '7302000', 1, 'Доводчик дверной EN2, ширина до 950, серебристый', 'Доводчик EN2',     'шт', 64.00,  1, 2, 1),
  ('DUV-73004', 225, '120', 'WH', 'ДВ3-01', 'DV 730.3.01', '7303001', 1, 'Доводчик дверной EN3, ширина 951-1100, белый',      'Доводчик EN3 бел', 'шт', 81.00,  1, 2, 1),
  ('DUV-73005', 225, '120', 'BR', 'ДВ3-02', 'DV 730.3.02', '7303002', 1, 'Доводчик дверной EN3, ширина 951-1100, коричневый', 'Доводчик EN3 кор', 'шт', 81.00,  1, 2, 1),
  ('DUV-73006', 225, '120', '',   'ДВ3-00', 'DV 730.3.00', '7303000', 1, 'Доводчик дверной EN3, ширина 951-1100, серебристый','Доводчик EN3',     'шт', 79.00,  1, 2, 1),
  ('DUV-73007', 225, '120', 'WH', 'ДВ4-01', 'DV 730.4.01', '7304001', 1, 'Доводчик дверной EN4, ширина 1101-1250, белый',      'Доводчик EN4 бел', 'шт', 98.00,  1, 2, 1),
  ('DUV-73008', 225, '120', 'BR', 'ДВ4-02', 'DV 730.4.02', '7304002', 1, 'Доводчик дверной EN4, ширина 1101-1250, коричневый', 'Доводчик EN4 кор', 'шт', 98.00,  1, 2, 1),
  ('DUV-73009', 225, '120', '',   'ДВ4-00', 'DV 730.4.00', '7304000', 1, 'Доводчик дверной EN4, ширина 1101-1250, серебристый','Доводчик EN4',     'шт', 96.00,  1, 2, 1),
  ('DUV-92730', 226, '120', '',   'КД-4',   'DV 927.30',   '9273004', 1, 'Кронштейн доводчика усиленный',                      'Кронштейн',        'шт', 7.50,   1, 2, 1);
INSERT INTO FrnArt (ID, CatalogID, FFBMin, FFBMax, Color) VALUES
  ('E730', 'DUV-73001', 70,  95,  'WH'), ('E730', 'DUV-73002', 70,  95,  'BR'), ('E730', 'DUV-73003', 70,  95,  ''),
  ('E730', 'DUV-73004', 96,  110, 'WH'), ('E730', 'DUV-73005', 96,  110, 'BR'), ('E730', 'DUV-73006', 96,  110, ''),
  ('E730', 'DUV-73007', 111, 125, 'WH'), ('E730', 'DUV-73008', 111, 125, 'BR'), ('E730', 'DUV-73009', 111, 125, '');
INSERT INTO FrnDop (CatalogID, AccessoryID, Number, PropKey, StulpType, ItemSideNo, ItemComplectID) VALUES
  ('DUV-73007', 'DUV-92730', 1, 0, 0, 0, ''),
  ('DUV-73008', 'DUV-92730', 1, 0, 0, 0, ''),
  ('DUV-73009', 'DUV-92730', 1, 0, 0, 0, '');

-- E740 flush bolts of a passive door leaf and E745 their rods (cut); E750 / E751 lock keeper
-- strips on the passive leaf, for the lower and the higher lock of the active leaf; E755 fixer
-- of a passive leaf next to a wide active leaf.
INSERT INTO Catalog (ID, "Group", System, Article, ProdArticle, ProdArticle2, UseArticle, Name, ShortName, Unit, Price, PriceGrp, Currency, "Use") VALUES
  ('DUV-74001', 208, '120', 'ШТ-12',   'DV 740.012', '7400121', 1, 'Шпингалет торцевой, фальц 12 мм',                     'Шпингалет',       'шт', 6.30,  1, 2, 1),
  ('DUV-75001', 215, '120', 'ПОЗ-2200','DV 750.220', '7502201', 2, 'Планка ответная замка на пассивной створке, ВФ до 2200', 'Планка пасс. 2200', 'шт', 14.20, 2, 2, 1),
  ('DUV-75101', 215, '120', 'ПОЗ-2600','DV 751.260', '7512601', 2, 'Планка ответная замка на пассивной створке, ВФ до 2600', 'Планка пасс. 2600', 'шт', 16.90, 2, 2, 1),
  ('DUV-75501', 226, '120', 'ФП-1',    'DV 755.001', '7550011', 1, 'Фиксатор пассивной створки',                           'Фиксатор пасс.',  'шт', 8.90,  1, 2, 1);
INSERT INTO Catalog (ID, "Group", System, Article, ProdArticle, ProdArticle2, UseArticle, Name, ShortName, Unit, CutAvailable, MinLength, MaxLength, Price, PriceGrp, Currency, "Use") VALUES
  ('DUV-74501', 207, '120', 'ТШ-1400', 'DV 745.140', '7451401', 1, 'Тяга шпингалета, отрезаемая по размеру', 'Тяга шпингалета', 'м', 1, 300, 1400, 5.60, 1, 2, 1);
INSERT INTO FrnArt (ID, CatalogID, FalzLuft) VALUES
  ('E740', 'DUV-74001', 12),
  ('E745', 'DUV-74501', 0),
  ('E750', 'DUV-75001', 0),
  ('E751', 'DUV-75101', 0),
  ('E755', 'DUV-75501', 0);
