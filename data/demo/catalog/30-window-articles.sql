-- Demo catalog, part 3: articles of the window elements, with the keepers, cover caps and
-- accessories each article brings.
--
-- Catalog groups used: 202 main locks with a fixed handle height, 203 turn-only locks, 205 mullion
-- mechanisms, 207 extensions and rods, 208 latches, 209 corner drives, 210 stay arms, 211 middle
-- locks, 212 middle clamps, 213 window hinges, 214 cover caps, 215 keepers, 216 packers,
-- 218 blockers, 219 lifters, 220 other accessories, 1000 other materials.
-- Prices are in EUR (currency 2) unless the row says RUB (1) or USD (3); price group 1 is the base
-- price, 2 carries a surcharge, 3 a discount, 0 none.

-- E110 main lock of tilt-and-turn sashes: one article per range of the rebate height (FFH), each
-- with its fixed handle height (HandleHeight, mm from the bottom of the handle side).
INSERT INTO Catalog (ID, "Group", System, Article, ProdArticle, ProdArticle2, UseArticle, Name, ShortName, Unit, Price, PriceGrp, Currency, "Use") VALUES
  ('DUV-11001', 202, '100', 'ЗПО-600',  'DV 110.060', '1100601', 1, 'Запор поворотно-откидной, ВФ 400-600, ПР 200',   'Запор ПО 600',  'шт', 7.80,  1, 2, 1),
  ('DUV-11002', 202, '100', 'ЗПО-800',  'DV 110.080', '1100801', 1, 'Запор поворотно-откидной, ВФ 601-800, ПР 300',   'Запор ПО 800',  'шт', 8.90,  1, 2, 1),
  ('DUV-11003', 202, '100', 'ЗПО-1200', 'DV 110.120', '1101201', 1, 'Запор поворотно-откидной, ВФ 801-1200, ПР 400',  'Запор ПО 1200', 'шт', 10.40, 1, 2, 1),
  ('DUV-11004', 202, '100', 'ЗПО-1800', 'DV 110.180', '1101801', 1, 'Запор поворотно-откидной, ВФ 1201-1800, ПР 600', 'Запор ПО 1800', 'шт', 12.60, 1, 2, 1),
  ('DUV-11005', 202, '100', 'ЗПО-2400', 'DV 110.240', '1102401', 1, 'Запор поворотно-откидной, ВФ 1801-2400, ПР 1000','Запор ПО 2400', 'шт', 15.90, 1, 2, 1);
INSERT INTO FrnArt (ID, CatalogID, FalzLuft, DornMassMin, DornMassMax, FFHMin, FFHMax, HandleHeight) VALUES
  ('E110', 'DUV-11001', 12, 15, 15, 40,  60,  200),
  ('E110', 'DUV-11002', 12, 15, 15, 61,  80,  300),
  ('E110', 'DUV-11003', 12, 15, 15, 81,  120, 400),
  ('E110', 'DUV-11004', 12, 15, 15, 121, 180, 600),
  ('E110', 'DUV-11005', 12, 15, 15, 181, 240, 1000);
-- Keepers of the lock's locking points on a single sash (mullion type 6): standard keepers, or
-- steel keepers when a burglar-resistant option is chosen. On two-sash windows the keepers of
-- the meeting side sit in the passive sash and come with its kit (E545).
INSERT INTO FrnSchl (CatalogID, Item, Number, StulpType, PropKey, ItemSideNo, ItemComplectID) VALUES
  ('DUV-11001', 'E510', 1, 6, 21, 0, ''), ('DUV-11001', 'E530', 1, 6, 22, 0, ''),
  ('DUV-11002', 'E510', 1, 6, 21, 0, ''), ('DUV-11002', 'E530', 1, 6, 22, 0, ''),
  ('DUV-11003', 'E510', 2, 6, 21, 0, ''), ('DUV-11003', 'E530', 2, 6, 22, 0, ''),
  ('DUV-11004', 'E510', 2, 6, 21, 0, ''), ('DUV-11004', 'E530', 2, 6, 22, 0, ''),
  ('DUV-11005', 'E510', 3, 6, 21, 0, ''), ('DUV-11005', 'E530', 3, 6, 22, 0, '');
-- The child lock (option 131) is an accessory of the main lock.
INSERT INTO FrnDop (CatalogID, AccessoryID, Number, PropKey, StulpType, ItemSideNo, ItemComplectID) VALUES
  ('DUV-11001', 'DUV-92001', 1, 13, 0, 0, ''),
  ('DUV-11002', 'DUV-92001', 1, 13, 0, 0, ''),
  ('DUV-11003', 'DUV-92001', 1, 13, 0, 0, ''),
  ('DUV-11004', 'DUV-92001', 1, 13, 0, 0, ''),
  ('DUV-11005', 'DUV-92001', 1, 13, 0, 0, '');

-- E115 main lock of turn-only shaped sashes: chosen by the length of the handle side (rules with
-- computation principle 4); HandleHeight 0 puts the handle in the middle of that side.
INSERT INTO Catalog (ID, "Group", System, Article, ProdArticle, ProdArticle2, UseArticle, Name, ShortName, Unit, Price, PriceGrp, Currency, "Use") VALUES
  ('DUV-11501', 203, '110', 'ЗП-600',  'DV 115.060', '1150601', 1, 'Запор поворотный, сторона 300-600, ПР средний',   'Запор П 600',  'шт', 6.90,  1, 2, 1),
  ('DUV-11502', 203, '110', 'ЗП-1000', 'DV 115.100', '1151001', 1, 'Запор поворотный, сторона 601-1000, ПР средний',  'Запор П 1000', 'шт', 8.20,  1, 2, 1),
  ('DUV-11503', 203, '110', 'ЗП-1600', 'DV 115.160', '1151601', 1, 'Запор поворотный, сторона 1001-1600, ПР средний', 'Запор П 1600', 'шт', 9.90,  1, 2, 1),
  ('DUV-11504', 203, '110', 'ЗП-2500', 'DV 115.250', '1152501', 1, 'Запор поворотный, сторона 1601-2500, ПР средний', 'Запор П 2500', 'шт', 12.40, 1, 2, 1);
INSERT INTO FrnArt (ID, CatalogID, FalzLuft, DornMassMin, DornMassMax, FFL1Min, FFL1Max, HandleHeight) VALUES
  ('E115', 'DUV-11501', 12, 15, 15, 300,  600,  0),
  ('E115', 'DUV-11502', 12, 15, 15, 601,  1000, 0),
  ('E115', 'DUV-11503', 12, 15, 15, 1001, 1600, 0),
  ('E115', 'DUV-11504', 12, 15, 15, 1601, 2500, 0);
INSERT INTO FrnSchl (CatalogID, Item, Number, StulpType, PropKey, ItemSideNo, ItemComplectID) VALUES
  ('DUV-11501', 'E510', 1, 0, 0, 0, ''),
  ('DUV-11502', 'E510', 1, 0, 0, 0, ''),
  ('DUV-11503', 'E510', 2, 0, 0, 0, ''),
  ('DUV-11504', 'E510', 2, 0, 0, 0, '');

-- E120 corner drive (rebate air gap 12). Its keeper depends on the hardware system: the window
-- keeper belongs to system group 110, the door keeper with a roller to group 120.
INSERT INTO Catalog (ID, "Group", System, Article, ProdArticle, ProdArticle2, UseArticle, Name, ShortName, Unit, Price, PriceGrp, Currency, "Use") VALUES
  ('DUV-12001', 209, '100', 'УП-12', 'DV 120.012', '1200121', 1, 'Угловой переключатель, фальц 12 мм', 'Угловой 12', 'шт', 3.10, 1, 2, 1);
INSERT INTO FrnArt (ID, CatalogID, FalzLuft) VALUES
  ('E120', 'DUV-12001', 12);
INSERT INTO FrnSchl (CatalogID, Item, Number, StulpType, PropKey, ItemSideNo, ItemComplectID) VALUES
  ('DUV-12001', 'E520', 1, 0, 0, 0, ''),
  ('DUV-12001', 'E525', 1, 0, 0, 0, '');

-- E125 corner drive for sloped corners, chosen by the corner angle (computation principle 7).
INSERT INTO Catalog (ID, "Group", System, Article, ProdArticle, ProdArticle2, UseArticle, Name, ShortName, Unit, Price, PriceGrp, Currency, "Use") VALUES
  ('DUV-12501', 209, '110', 'УПН-30',  'DV 125.030', '1250301', 1, 'Угловой переключатель для острого угла 30-90°',  'Угловой острый', 'шт', 4.60, 1, 2, 1),
  ('DUV-12502', 209, '110', 'УПН-150', 'DV 125.150', '1251501', 1, 'Угловой переключатель для тупого угла 90-150°',  'Угловой тупой',  'шт', 4.60, 1, 2, 1);
INSERT INTO FrnArt (ID, CatalogID, FFAMin, FFAMax) VALUES
  ('E125', 'DUV-12501', 30, 89.99),
  ('E125', 'DUV-12502', 90, 150);
INSERT INTO FrnSchl (CatalogID, Item, Number, StulpType, PropKey, ItemSideNo, ItemComplectID) VALUES
  ('DUV-12501', 'E520', 1, 0, 0, 0, ''),
  ('DUV-12502', 'E520', 1, 0, 0, 0, '');

-- E130, E140 middle locks (horizontal and vertical), E145 middle lock of the meeting side of an
-- active sash. Each locking point has its keeper: standard, or steel on burglar-resistant single
-- sashes; the meeting-side lock finds its keeper in the passive sash (E330).
INSERT INTO Catalog (ID, "Group", System, Article, ProdArticle, ProdArticle2, UseArticle, Name, ShortName, Unit, Price, PriceGrp, Currency, "Use") VALUES
  ('DUV-13001', 211, '100', 'СЗГ-12', 'DV 130.012', '1300121', 1, 'Средний запор горизонтальный, фальц 12 мм', 'Средний гориз.', 'шт', 2.70, 1, 2, 1),
  ('DUV-14001', 211, '100', 'СЗВ-12', 'DV 140.012', '1400121', 1, 'Средний запор вертикальный, фальц 12 мм',   'Средний верт.',  'шт', 2.90, 1, 2, 1),
  ('DUV-14501', 211, '110', 'СЗШ-12', 'DV 145.012', '1450121', 1, 'Средний запор штульповой стороны, фальц 12 мм', 'Средний штульп.', 'шт', 3.20, 1, 2, 1);
INSERT INTO FrnArt (ID, CatalogID, FalzLuft) VALUES
  ('E130', 'DUV-13001', 12),
  ('E140', 'DUV-14001', 12),
  ('E145', 'DUV-14501', 12);
INSERT INTO FrnSchl (CatalogID, Item, Number, StulpType, PropKey, ItemSideNo, ItemComplectID) VALUES
  ('DUV-13001', 'E510', 1, 0, 21, 0, ''), ('DUV-13001', 'E530', 1, 6, 22, 0, ''),
  ('DUV-14001', 'E510', 1, 0, 21, 0, ''), ('DUV-14001', 'E530', 1, 6, 22, 0, '');

-- E150 stay arm, by rebate width (FFB) and hand; E155 its rail, cut to the width of the sash.
INSERT INTO Catalog (ID, "Group", System, Article, ProdArticle, ProdArticle2, UseArticle, Name, ShortName, Unit, Price, PriceGrp, Currency, "Use") VALUES
  ('DUV-15001', 210, '100', 'Н-430Л',  'DV 150.043.L', '1500431', 1, 'Ножницы 280-430, левые',   'Ножницы 430 Л',  'шт', 8.40,  1, 2, 1),
  ('DUV-15002', 210, '100', 'Н-430П',  'DV 150.043.R', '1500432', 1, 'Ножницы 280-430, правые',  'Ножницы 430 П',  'шт', 8.40,  1, 2, 1),
  ('DUV-15003', 210, '100', 'Н-600Л',  'DV 150.060.L', '1500601', 1, 'Ножницы 431-600, левые',   'Ножницы 600 Л',  'шт', 9.60,  1, 2, 1),
  ('DUV-15004', 210, '100', 'Н-600П',  'DV 150.060.R', '1500602', 1, 'Ножницы 431-600, правые',  'Ножницы 600 П',  'шт', 9.60,  1, 2, 1),
  ('DUV-15005', 210, '100', 'Н-800Л',  'DV 150.080.L', '1500801', 1, 'Ножницы 601-800, левые',   'Ножницы 800 Л',  'шт', 11.20, 1, 2, 1),
  ('DUV-15006', 210, '100', 'Н-800П',  'DV 150.080.R', '1500802', 1, 'Ножницы 601-800, правые',  'Ножницы 800 П',  'шт', 11.20, 1, 2, 1),
  ('DUV-15007', 210, '100', 'Н-1050Л', 'DV 150.105.L', '1501051', 1, 'Ножницы 801-1050, левые',  'Ножницы 1050 Л', 'шт', 13.50, 1, 2, 1),
  ('DUV-15008', 210, '100', 'Н-1050П', 'DV 150.105.R', '1501052', 1, 'Ножницы 801-1050, правые', 'Ножницы 1050 П', 'шт', 13.50, 1, 2, 1),
  ('DUV-15009', 210, '100', 'Н-1300Л', 'DV 150.130.L', '1501301', 1, 'Ножницы 1051-1300, левые', 'Ножницы 1300 Л', 'шт', 16.80, 1, 2, 1),
  ('DUV-15010', 210, '100', 'Н-1300П', 'DV 150.130.R', '1501302', 1, 'Ножницы 1051-1300, правые','Ножницы 1300 П', 'шт', 16.80, 1, 2, 1);
INSERT INTO FrnArt (ID, CatalogID, FFBMin, FFBMax, Direct) VALUES
  ('E150', 'DUV-15001', 28,  43,  1), ('E150', 'DUV-15002', 28,  43,  2),
  ('E150', 'DUV-15003', 44,  60,  1), ('E150', 'DUV-15004', 44,  60,  2),
  ('E150', 'DUV-15005', 61,  80,  1), ('E150', 'DUV-15006', 61,  80,  2),
  ('E150', 'DUV-15007', 81,  105, 1), ('E150', 'DUV-15008', 81,  105, 2),
  ('E150', 'DUV-15009', 106, 130, 1), ('E150', 'DUV-15010', 106, 130, 2);
INSERT INTO FrnSchl (CatalogID, Item, Number, StulpType, PropKey, ItemSideNo, ItemComplectID) VALUES
  ('DUV-15001', 'E550', 1, 0, 0, 0, ''), ('DUV-15002', 'E550', 1, 0, 0, 0, ''),
  ('DUV-15003', 'E550', 1, 0, 0, 0, ''), ('DUV-15004', 'E550', 1, 0, 0, 0, ''),
  ('DUV-15005', 'E550', 1, 0, 0, 0, ''), ('DUV-15006', 'E550', 1, 0, 0, 0, ''),
  ('DUV-15007', 'E550', 1, 0, 0, 0, ''), ('DUV-15008', 'E550', 1, 0, 0, 0, ''),
  ('DUV-15009', 'E550', 1, 0, 0, 0, ''), ('DUV-15010', 'E550', 1, 0, 0, 0, '');
INSERT INTO Catalog (ID, "Group", System, Article, ProdArticle, ProdArticle2, UseArticle, Name, ShortName, Unit, CutAvailable, MinLength, MaxLength, Price, PriceGrp, Currency, "Use") VALUES
  ('DUV-15501', 207, '100', 'ШН-1200', 'DV 155.120', '1551201', 1, 'Шина ножниц, отрезаемая по размеру', 'Шина ножниц', 'м', 1, 200, 1200, 6.50, 1, 2, 1);
INSERT INTO FrnArt (ID, CatalogID) VALUES
  ('E155', 'DUV-15501');

-- E160 top hinge and E165 bottom hinge, left (Direct 1) and right (Direct 2). Their cover caps
-- follow the hardware colour; a colour without caps of its own (NC) gets the plain caps.
-- E165 is composite: it brings its support E168. A packer comes with every bottom hinge.
INSERT INTO Catalog (ID, "Group", System, Article, ProdArticle, ProdArticle2, UseArticle, Name, ShortName, Unit, Price, PriceGrp, Currency, "Use") VALUES
  ('DUV-16001', 213, '100', 'ПВ-Л', 'DV 160.100.L', '1601001', 2, 'Петля верхняя, левая',  'Петля верх. Л', 'шт', 4.20, 1, 2, 1),
  ('DUV-16002', 213, '100', 'ПВ-П', 'DV 160.100.R', '1601002', 2, 'Петля верхняя, правая', 'Петля верх. П', 'шт', 4.20, 1, 2, 1),
  ('DUV-16501', 213, '100', 'ПН-Л', 'DV 165.100.L', '1651001', 2, 'Петля нижняя, левая',   'Петля ниж. Л',  'шт', 5.10, 1, 2, 1),
  ('DUV-16502', 213, '100', 'ПН-П', 'DV 165.100.R', '1651002', 2, 'Петля нижняя, правая',  'Петля ниж. П',  'шт', 5.10, 1, 2, 1),
  ('DUV-16801', 213, '100', 'ОПН',  'DV 168.100',   '1681001', 2, 'Опора петли нижней',    'Опора петли',   'шт', 1.40, 1, 2, 1);
INSERT INTO FrnArt (ID, CatalogID, Direct) VALUES
  ('E160', 'DUV-16001', 1), ('E160', 'DUV-16002', 2),
  ('E165', 'DUV-16501', 1), ('E165', 'DUV-16502', 2),
  ('E168', 'DUV-16801', 3);
INSERT INTO Catalog (ID, "Group", System, FrontColor, Article, ProdArticle, ProdArticle2, UseArticle, Name, ShortName, Unit, Price, PriceGrp, Currency, "Use") VALUES
  ('DUV-91600', 214, '100', '',   'НПВ-00', 'DV 916.00', '9160000', 2, 'Накладка петли верхней, без покрытия', 'Накладка ПВ',    'шт', 0.35, 2, 2, 1),
  ('DUV-91601', 214, '100', 'WH', 'НПВ-01', 'DV 916.01', '9160001', 2, 'Накладка петли верхней, белая',        'Накладка ПВ бел', 'шт', 0.45, 2, 2, 1),
  ('DUV-91602', 214, '100', 'BR', 'НПВ-02', 'DV 916.02', '9160002', 2, 'Накладка петли верхней, коричневая',   'Накладка ПВ кор', 'шт', 0.45, 2, 2, 1),
  ('DUV-91603', 214, '100', 'SL', 'НПВ-03', 'DV 916.03', '9160003', 2, 'Накладка петли верхней, серебро',      'Накладка ПВ сер', 'шт', 0.45, 2, 2, 1),
  ('DUV-91650', 214, '100', '',   'НПН-00', 'DV 916.50', '9165000', 2, 'Накладка петли нижней, без покрытия',  'Накладка ПН',     'шт', 0.40, 2, 2, 1),
  ('DUV-91651', 214, '100', 'WH', 'НПН-01', 'DV 916.51', '9165001', 2, 'Накладка петли нижней, белая',         'Накладка ПН бел', 'шт', 0.50, 2, 2, 1),
  ('DUV-91652', 214, '100', 'BR', 'НПН-02', 'DV 916.52', '9165002', 2, 'Накладка петли нижней, коричневая',    'Накладка ПН кор', 'шт', 0.50, 2, 2, 1),
  ('DUV-91653', 214, '100', 'SL', 'НПН-03', 'DV 916.53', '9165003', 2, 'Накладка петли нижней, серебро',       'Накладка ПН сер', 'шт', 0.50, 2, 2, 1),
  ('DUV-92165', 216, '100', '',   'ПП-2',   'DV 921.65', '9216502', 2, 'Подкладка под петлю нижнюю, 2 мм',     'Подкладка 2 мм',  'шт', 0.12, 2, 2, 1);
INSERT INTO FrnAbd (CatalogID, Color, AccessoryID, Number, ItemSideNo, ItemComplectID) VALUES
  ('DUV-16001', 'WH', 'DUV-91601', 1, 0, ''), ('DUV-16001', 'BR', 'DUV-91602', 1, 0, ''),
  ('DUV-16001', 'SL', 'DUV-91603', 1, 0, ''), ('DUV-16001', '',   'DUV-91600', 1, 0, ''),
  ('DUV-16002', 'WH', 'DUV-91601', 1, 0, ''), ('DUV-16002', 'BR', 'DUV-91602', 1, 0, ''),
  ('DUV-16002', 'SL', 'DUV-91603', 1, 0, ''), ('DUV-16002', '',   'DUV-91600', 1, 0, ''),
  ('DUV-16501', 'WH', 'DUV-91651', 1, 0, ''), ('DUV-16501', 'BR', 'DUV-91652', 1, 0, ''),
  ('DUV-16501', 'SL', 'DUV-91653', 1, 0, ''), ('DUV-16501', '',   'DUV-91650', 1, 0, ''),
  ('DUV-16502', 'WH', 'DUV-91651', 1, 0, ''), ('DUV-16502', 'BR', 'DUV-91652', 1, 0, ''),
  ('DUV-16502', 'SL', 'DUV-91653', 1, 0, ''), ('DUV-16502', '',   'DUV-91650', 1, 0, '');
INSERT INTO FrnDop (CatalogID, AccessoryID, Number, PropKey, StulpType, ItemSideNo, ItemComplectID) VALUES
  ('DUV-16501', 'DUV-92165', 1, 0, 0, 0, ''),
  ('DUV-16502', 'DUV-92165', 1, 0, 0, 0, '');

-- E170 lifter, E175 misoperation blocker, E180 micro-ventilation switch (with its own keeper),
-- E190 mushroom pin and E191 drilling protection for the burglar-resistant options.
INSERT INTO Catalog (ID, "Group", System, Article, ProdArticle, ProdArticle2, UseArticle, Name, ShortName, Unit, Price, PriceGrp, Currency, "Use") VALUES
  ('DUV-17001', 219, '100', 'ПС-1',   'DV 170.001', '1700011', 1, 'Подъемник створки',                       'Подъемник',     'шт', 2.30, 1, 2, 1),
  ('DUV-17501', 218, '100', 'БЛ-12',  'DV 175.012', '1750121', 1, 'Блокиратор ошибочного открывания, фальц 12 мм', 'Блокиратор', 'шт', 2.60, 1, 2, 1),
  ('DUV-18001', 220, '100', 'МП-12',  'DV 180.012', '1800121', 1, 'Переключатель микропроветривания, фальц 12 мм', 'Микропроветр.', 'шт', 3.80, 1, 2, 1),
  ('DUV-19001', 220, '100', 'ЦГ-RC',  'DV 190.001', '1900011', 1, 'Цапфа грибковая противовзломная',         'Цапфа RC',      'шт', 0.95, 1, 2, 1),
  ('DUV-19101', 220, '100', 'ЗВ-RC2', 'DV 191.002', '1910021', 1, 'Защита от высверливания RC2',             'Защита RC2',    'шт', 3.40, 1, 3, 1),
  ('DUV-92001', 220, '100', 'БД-1',   'DV 920.01',  '9200101', 1, 'Блокиратор ручки детский (детский замок)', 'Детский замок', 'шт', 4.70, 2, 2, 1);
INSERT INTO FrnArt (ID, CatalogID, FalzLuft) VALUES
  ('E170', 'DUV-17001', 0),
  ('E175', 'DUV-17501', 12),
  ('E180', 'DUV-18001', 12),
  ('E190', 'DUV-19001', 0),
  ('E191', 'DUV-19101', 0);
INSERT INTO FrnSchl (CatalogID, Item, Number, StulpType, PropKey, ItemSideNo, ItemComplectID) VALUES
  ('DUV-18001', 'E540', 1, 0, 0, 0, '');

-- E801-E803 screws of the fastener set E198 (priced in roubles, no price group).
INSERT INTO Catalog (ID, "Group", System, Article, ProdArticle, ProdArticle2, UseArticle, Name, ShortName, Unit, Price, PriceGrp, Currency, "Use") VALUES
  ('DUV-80101', 1000, '100', 'Ш-4135', 'DV 801.4135', '8014135', 1, 'Шуруп 4,1x35 оцинкованный',       'Шуруп 4,1x35', 'шт', 1.20, 0, 1, 1),
  ('DUV-80201', 1000, '100', 'Ш-3925', 'DV 802.3925', '8023925', 1, 'Шуруп 3,9x25 оцинкованный',       'Шуруп 3,9x25', 'шт', 0.90, 0, 1, 1),
  ('DUV-80301', 1000, '100', 'Ш-4840', 'DV 803.4840', '8034840', 1, 'Шуруп закаленный 4,8x40 для RC',  'Шуруп 4,8x40', 'шт', 3.50, 0, 1, 1);
INSERT INTO FrnArt (ID, CatalogID) VALUES
  ('E801', 'DUV-80101'),
  ('E802', 'DUV-80201'),
  ('E803', 'DUV-80301');

-- Passive sash of a two-sash window: E310 mullion mechanism by rebate height and mullion type,
-- E320 latches, E330 keeper for the active sash's meeting-side middle lock, E337, E340, E345,
-- E347 clamps and fixers, E545 keepers of the active sash's locking points.
INSERT INTO Catalog (ID, "Group", System, Article, ProdArticle, ProdArticle2, UseArticle, Name, ShortName, Unit, Price, PriceGrp, Currency, "Use") VALUES
  ('DUV-31001', 205, '110', 'МШ1-1200', 'DV 310.1.120', '3101120', 1, 'Механизм штульповый, тип 1, ВФ 400-1200',  'Механизм Ш1 1200', 'шт', 18.50, 1, 2, 1),
  ('DUV-31002', 205, '110', 'МШ1-2400', 'DV 310.1.240', '3101240', 1, 'Механизм штульповый, тип 1, ВФ 1201-2400', 'Механизм Ш1 2400', 'шт', 22.70, 1, 2, 1),
  ('DUV-31003', 205, '110', 'МШ2-1200', 'DV 310.2.120', '3102120', 1, 'Механизм штульповый, тип 2, ВФ 400-1200',  'Механизм Ш2 1200', 'шт', 19.40, 1, 2, 1),
  ('DUV-31004', 205, '110', 'МШ2-2400', 'DV 310.2.240', '3102240', 1, 'Механизм штульповый, тип 2, ВФ 1201-2400', 'Механизм Ш2 2400', 'шт', 23.60, 1, 2, 1),
  ('DUV-32001', 208, '110', 'ЗШ-12',    'DV 320.012',   '3200121', 1, 'Защелка штульповая, фальц 12 мм',          'Защелка штульп.',  'шт', 3.90,  1, 2, 1),
  ('DUV-33001', 215, '110', 'ОПШ1-С',   'DV 330.1',     '3300011', 2, 'Ответная планка среднего запора штульповая, тип 1', 'ОП штульп. С1', 'шт', 1.10, 2, 2, 1),
  ('DUV-33002', 215, '110', 'ОПШ2-С',   'DV 330.2',     '3300021', 2, 'Ответная планка среднего запора штульповая, тип 2', 'ОП штульп. С2', 'шт', 1.10, 2, 2, 1),
  ('DUV-33701', 212, '110', 'ПРШ-Д',    'DV 337.001',   '3370011', 1, 'Прижим штульпа дополнительный',            'Прижим доп.',      'шт', 2.40,  1, 2, 1),
  ('DUV-34001', 220, '110', 'ФШ-1',     'DV 340.001',   '3400011', 1, 'Фиксатор штульпа',                         'Фиксатор штульпа', 'шт', 1.60,  1, 2, 1),
  ('DUV-34501', 220, '110', 'ФШ-2',     'DV 345.001',   '3450011', 1, 'Фиксатор штульпа усиленный',               'Фиксатор усил.',   'шт', 2.90,  1, 2, 1),
  ('DUV-34701', 212, '110', 'ПРШ-П',    'DV 347.001',   '3470011', 1, 'Прижим штульпа промежуточный',             'Прижим промеж.',   'шт', 2.20,  1, 2, 1),
  ('DUV-54501', 215, '110', 'ОПШ1',     'DV 545.1',     '5450011', 2, 'Ответная планка штульповая, тип 1',        'ОП штульп. 1',     'шт', 0.85,  2, 2, 1),
  ('DUV-54502', 215, '110', 'ОПШ2',     'DV 545.2',     '5450021', 2, 'Ответная планка штульповая, тип 2',        'ОП штульп. 2',     'шт', 0.85,  2, 2, 1);
INSERT INTO FrnArt (ID, CatalogID, FFHMin, FFHMax, StulpType) VALUES
  ('E310', 'DUV-31001', 40,  120, 1),
  ('E310', 'DUV-31002', 121, 240, 1),
  ('E310', 'DUV-31003', 40,  120, 2),
  ('E310', 'DUV-31004', 121, 240, 2);
INSERT INTO FrnArt (ID, CatalogID, FalzLuft, StulpType) VALUES
  ('E320', 'DUV-32001', 12, 0),
  ('E330', 'DUV-33001', 0,  1),
  ('E330', 'DUV-33002', 0,  2),
  ('E337', 'DUV-33701', 0,  0),
  ('E340', 'DUV-34001', 0,  0),
  ('E345', 'DUV-34501', 0,  0),
  ('E347', 'DUV-34701', 0,  0),
  ('E545', 'DUV-54501', 0,  1),
  ('E545', 'DUV-54502', 0,  2);

-- Arched sashes: E410 arch corner drive by the radius of the arc (computation principle 8),
-- E415 bendable rod along the arc (cut to length), E416 / E417 rod supports for a semicircle or
-- a segment.
INSERT INTO Catalog (ID, "Group", System, Article, ProdArticle, ProdArticle2, UseArticle, Name, ShortName, Unit, Price, PriceGrp, Currency, "Use") VALUES
  ('DUV-41001', 209, '110', 'УПА-700',  'DV 410.070', '4100701', 1, 'Угловой переключатель арочный, R 250-700',   'Угловой арочн. 700',  'шт', 6.80, 1, 2, 1),
  ('DUV-41002', 209, '110', 'УПА-1500', 'DV 410.150', '4101501', 1, 'Угловой переключатель арочный, R 701-1500',  'Угловой арочн. 1500', 'шт', 6.80, 1, 2, 1),
  ('DUV-41003', 209, '110', 'УПА-5000', 'DV 410.500', '4105001', 1, 'Угловой переключатель арочный, R 1501-5000', 'Угловой арочн. 5000', 'шт', 6.80, 1, 2, 1),
  ('DUV-41601', 220, '110', 'ОТА-П',    'DV 416.001', '4160011', 1, 'Опора тяги полуциркульной арки',             'Опора тяги полуц.',   'шт', 1.90, 1, 2, 1),
  ('DUV-41701', 220, '110', 'ОТА-С',    'DV 417.001', '4170011', 1, 'Опора тяги сегментной арки',                 'Опора тяги сегм.',    'шт', 1.90, 1, 2, 1);
INSERT INTO FrnArt (ID, CatalogID, FalzLuft, FFR1Min, FFR1Max) VALUES
  ('E410', 'DUV-41001', 12, 250,  700),
  ('E410', 'DUV-41002', 12, 701,  1500),
  ('E410', 'DUV-41003', 12, 1501, 5000),
  ('E416', 'DUV-41601', 0,  0,    0),
  ('E417', 'DUV-41701', 0,  0,    0);
INSERT INTO FrnSchl (CatalogID, Item, Number, StulpType, PropKey, ItemSideNo, ItemComplectID) VALUES
  ('DUV-41001', 'E520', 1, 0, 0, 0, ''),
  ('DUV-41002', 'E520', 1, 0, 0, 0, ''),
  ('DUV-41003', 'E520', 1, 0, 0, 0, '');
INSERT INTO Catalog (ID, "Group", System, Article, ProdArticle, ProdArticle2, UseArticle, Name, ShortName, Unit, CutAvailable, MinLength, MaxLength, Price, PriceGrp, Currency, "Use") VALUES
  ('DUV-41501', 207, '110', 'ТА-3000', 'DV 415.300', '4153001', 1, 'Тяга арочная изгибаемая, отрезаемая по дуге', 'Тяга арочная', 'м', 1, 200, 3000, 14.50, 1, 2, 1);
INSERT INTO FrnArt (ID, CatalogID) VALUES
  ('E415', 'DUV-41501');

-- Trapezoids and triangles: E440 middle lock of a sloped side, E450 corner drive for acute
-- corners of triangles by angle, E455 fixer for very acute corners.
INSERT INTO Catalog (ID, "Group", System, Article, ProdArticle, ProdArticle2, UseArticle, Name, ShortName, Unit, Price, PriceGrp, Currency, "Use") VALUES
  ('DUV-44001', 211, '110', 'СЗН-12', 'DV 440.012', '4400121', 1, 'Средний запор для наклонной стороны, фальц 12 мм', 'Средний наклон.', 'шт', 3.30, 1, 2, 1),
  ('DUV-45001', 209, '110', 'УТ-45',  'DV 450.045', '4500451', 1, 'Переключатель острого угла 20-45°',   'Острый угол 45', 'шт', 5.20, 1, 2, 1),
  ('DUV-45002', 209, '110', 'УТ-70',  'DV 450.070', '4500701', 1, 'Переключатель острого угла 45-70°',   'Острый угол 70', 'шт', 5.20, 1, 2, 1),
  ('DUV-45501', 220, '110', 'ФОУ-1',  'DV 455.001', '4550011', 1, 'Фиксатор острого угла',               'Фиксатор угла',  'шт', 2.10, 1, 2, 1);
INSERT INTO FrnArt (ID, CatalogID, FalzLuft, FFAMin, FFAMax) VALUES
  ('E440', 'DUV-44001', 12, 0,     0),
  ('E450', 'DUV-45001', 0,  20,    45),
  ('E450', 'DUV-45002', 0,  45.01, 70),
  ('E455', 'DUV-45501', 0,  0,     0);
INSERT INTO FrnSchl (CatalogID, Item, Number, StulpType, PropKey, ItemSideNo, ItemComplectID) VALUES
  ('DUV-44001', 'E510', 1, 0, 0, 0, ''),
  ('DUV-45001', 'E520', 1, 0, 0, 0, ''),
  ('DUV-45002', 'E520', 1, 0, 0, 0, '');

-- E760 window opening restrictor (additional kit X-LIM), coloured, with a plain variant for
-- colours it is not made in.
INSERT INTO Catalog (ID, "Group", System, FrontColor, Article, ProdArticle, ProdArticle2, UseArticle, Name, ShortName, Unit, Price, PriceGrp, Currency, "Use") VALUES
  ('DUV-76000', 220, '100', '',   'ОГ-00', 'DV 760.00', '7600000', 1, 'Ограничитель открывания оконный, без покрытия', 'Ограничитель',     'шт', 5.40, 1, 2, 1),
  ('DUV-76001', 220, '100', 'WH', 'ОГ-01', 'DV 760.01', '7600001', 1, 'Ограничитель открывания оконный, белый',        'Ограничитель бел', 'шт', 5.90, 1, 2, 1),
  ('DUV-76002', 220, '100', 'BR', 'ОГ-02', 'DV 760.02', '7600002', 1, 'Ограничитель открывания оконный, коричневый',   'Ограничитель кор', 'шт', 5.90, 1, 2, 1);
INSERT INTO FrnArt (ID, CatalogID, Color) VALUES
  ('E760', 'DUV-76000', ''),
  ('E760', 'DUV-76001', 'WH'),
  ('E760', 'DUV-76002', 'BR');
