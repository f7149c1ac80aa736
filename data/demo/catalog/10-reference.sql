-- Demo hardware catalog of the supplier "DUV" (an invented supplier: every code, name and price
-- here is made up for the demonstration).
--
-- Part 1: reference data: colours, systems, keeper systems, materials, currencies, price groups,
-- the four parameter lists and the property values (options) of the kits.
--
-- Conventions of the whole demo catalog:
--   * sizes in FrnSet / FrnArt columns FFB*, FFH* are a tenth of the rebate size in millimetres
--     (FFH 121 = 1210 mm); side lengths FFL*, radii FFR* and FrnSide sizes are millimetres;
--   * sash sides are numbered as the sash is drawn: side 1 runs from the bottom-left corner up,
--     side 2 is the top, side 3 runs down the right, side 4 is the bottom; corner n is where
--     side n begins (corner 1 bottom-left, 2 top-left, 3 top-right, 4 bottom-right);
--   * element codes E1xx are window parts, E2xx door parts, E3xx parts of the passive sash of a
--     two-sash window, E4xx parts of arched and shaped sashes, E5xx keepers, E6xx handles, E7xx
--     door components, E8xx fasteners; article codes DUV-EEENN start with the number of the
--     element they realise; DUV-91xxx are cover caps and DUV-92xxx accessories;
--   * a column left out of an INSERT is empty and reads as 0 or as the empty text.

-- Colours. NC is the colourless code: hardware ordered "without colour" takes the articles and
-- cover caps that the catalog lists for no particular colour.
INSERT INTO COLORSET (Color, Name) VALUES
  ('WH', 'Белый'),
  ('BR', 'Коричневый'),
  ('SL', 'Серебро'),
  ('NC', 'Без цвета');

-- Systems. Group 1: hardware systems of the family 100 (window 110, door 120); group 2: profile
-- systems, whose codes are also the codes of the keeper systems (SysProf). BaseColor is the colour
-- a new order starts with.
INSERT INTO SysList (ID, "Group", Name, ShortName, "Use", CommonGrp, BaseColor) VALUES
  ('110', 1, 'DUV Окно',          'DUV-О', 1, 110, 'WH'),
  ('120', 1, 'DUV Дверь',         'DUV-Д', 1, 120, 'SL'),
  ('P58', 2, 'Профиль 58 мм',     'П-58',  1, 0,   'WH'),
  ('P70', 2, 'Профиль 70 мм',     'П-70',  1, 0,   'WH');

-- Keeper systems of the family 100: one per profile system.
INSERT INTO SysProf (SchlSysID, FurnSysID, Name) VALUES
  ('P58', '100', 'DUV: ответные планки для профиля 58 мм'),
  ('P70', '100', 'DUV: ответные планки для профиля 70 мм');

-- Colours offered per hardware system.
INSERT INTO SysColor (ID, System, Article) VALUES
  ('WH', '110', '110.01'), ('BR', '110', '110.02'), ('SL', '110', '110.03'), ('NC', '110', '110.00'),
  ('WH', '120', '120.01'), ('BR', '120', '120.02'), ('SL', '120', '120.03'), ('NC', '120', '120.00');

-- Profile materials (0 in a kit means: any material).
INSERT INTO Material (ID, Name) VALUES
  (1, 'ПВХ'),
  (2, 'Алюминий'),
  (3, 'Дерево');

-- Currencies. Rates relate to the rouble (Value 1); the unit names in three forms and the gender
-- (0 masculine, 1 feminine) spell amounts in words.
INSERT INTO Currency (ID, Name, Nominative, Genitive, GenitivePlural, Gender, Dec, Value,
                      DecNominative, DecGenitive, DecGenitivePlural, DecGender) VALUES
  (1, 'RUB', 'рубль',  'рубля',   'рублей',   0, 2, 1,       'копейка', 'копейки', 'копеек', 1),
  (2, 'EUR', 'евро',   'евро',    'евро',     0, 2, 98.5,    'цент',    'цента',   'центов', 0),
  (3, 'USD', 'доллар', 'доллара', 'долларов', 0, 2, 91.2,    'цент',    'цента',   'центов', 0);

-- Price groups: Reduce_1 is the percentage added to the catalog price (negative: a discount);
-- the other columns are alternative price lists of the dealer.
INSERT INTO PriceGrp (GroupID, Name, Reduce_1, Reduce_2, Reduce_3, Reduce_4, Reduce_5,
                      Reduce_6, Reduce_7, Reduce_8, Reduce_9, Reduce_10) VALUES
  (1, 'Базовая',        0,    -3,  -5,  -7, -10, 0, 0, 0, 0, 0),
  (2, 'Наценка 12%',    12,    8,   5,   3,   0, 0, 0, 0, 0, 0),
  (3, 'Скидка 7,5%',   -7.5, -10, -12, -15, -20, 0, 0, 0, 0, 0);

-- Parameter lists in one table, by ranges of ID:
--   100-199 rebate types (air gap / rebate size - axis), 200-299 backsets,
--   300-399 mullion types, 400-499 opening types (OpenType 1 opens outwards, 2 is a T-shaped sash).
INSERT INTO ParamList (ID, "Group", Name, FalzLuft, FalzSize, FalzPos, DornMass, OpenType, StulpType) VALUES
  (101, 1, '12/20-9',                    12, 20, 9,  0,  0, 0),
  (102, 1, '12/20-13',                   12, 20, 13, 0,  0, 0),
  (201, 2, 'Дорнмасс 15 мм',             0,  0,  0,  15, 0, 0),
  (202, 2, 'Дорнмасс 25 мм',             0,  0,  0,  25, 0, 0),
  (203, 2, 'Дорнмасс 35 мм',             0,  0,  0,  35, 0, 0),
  (301, 3, 'Штульп ПВХ (тип 1)',         0,  0,  0,  0,  0, 1),
  (302, 3, 'Штульп алюминиевый (тип 2)', 0,  0,  0,  0,  0, 2),
  (401, 4, 'Открывание внутрь',          0,  0,  0,  0,  0, 0),
  (402, 4, 'Открывание наружу',          0,  0,  0,  0,  1, 0),
  (403, 4, 'Т-образная створка',         0,  0,  0,  0,  2, 0);

-- Property values (options). The values of one property share their tens: 110-119 is one
-- property, and a sash chooses one value of it.
INSERT INTO SysProp (ID, GroupName, ValueName, Printable, "Use", PrintName) VALUES
  (110, 'Микропроветривание', 'Нет',       0, 1, ''),
  (111, 'Микропроветривание', 'Да',        1, 1, 'С микропроветриванием'),
  (120, 'Противовзломность',  'Нет',       0, 1, ''),
  (121, 'Противовзломность',  'RC1',       1, 1, 'Противовзломное исполнение RC1'),
  (122, 'Противовзломность',  'RC2',       1, 1, 'Противовзломное исполнение RC2'),
  (130, 'Детский замок',      'Нет',       0, 1, ''),
  (131, 'Детский замок',      'Да',        1, 1, 'С детским замком'),
  (140, 'Исполнение ручки',   'Без ключа', 0, 1, ''),
  (141, 'Исполнение ручки',   'С ключом',  1, 1, 'Ручка с ключом'),
  (160, 'Ключи к цилиндру',   '3 ключа',   0, 1, ''),
  (161, 'Ключи к цилиндру',   '5 ключей',  1, 1, 'Цилиндр с 5 ключами');

-- Property sets. The sets 1-3, 30 and 45 are the options a kit offers (FrnComp.PropKey; Default
-- marks the value shown first); the others restrict a rule, keeper or accessory to the sashes
-- whose chosen values they list.
INSERT INTO FrnProp (PropKey, ID, "Default") VALUES
  -- options of single-sash window kits and balcony doors
  (1, 110, 1), (1, 111, 0), (1, 120, 1), (1, 121, 0), (1, 122, 0), (1, 130, 1), (1, 131, 0),
  -- options of the active sash of two-sash windows
  (2, 110, 1), (2, 111, 0),
  -- options of entrance doors
  (3, 120, 1), (3, 121, 0), (3, 122, 0),
  -- options of the window handle (kit slot 1)
  (30, 140, 1), (30, 141, 0),
  -- options of the cylinder (kit slot 4)
  (45, 160, 1), (45, 161, 0),
  -- restrictions
  (11, 111, 0),              -- micro-ventilation chosen
  (13, 131, 0),              -- child lock chosen
  (21, 120, 0),              -- no burglar resistance: standard keepers
  (22, 121, 0), (22, 122, 0),-- RC1 or RC2: steel keepers, mushroom pins, hardened screws
  (23, 122, 0),              -- RC2 only: drilling protection
  (31, 140, 0),              -- handle without key
  (32, 141, 0),              -- handle with key
  (46, 161, 0);              -- five keys to the cylinder
