-- Demo catalog, part 7: door kits of the system 120 (family 100) and the door components:
-- handle, hinge kit, lock, cylinder, door closer and flush bolts.
--
-- See part 6 for the columns of FrnSide and FrnSet. Kit groups: 11 door kits, 21 door hinges,
-- 33 door handle sets for a cylinder, 41 door locks, 45 cylinders, 46 latches, 50 door closers.

INSERT INTO FrnComp (ID, "Group", SubGroup, Name, SymmetricID, Image, ScrColor, TFlugelAvailable, "Use", CommonGrp, Direct, Printable, PrintName, PropKey, Material) VALUES
  ('D-BT-L',   11, 0,  'Дверь балконная поворотно-откидная, петли слева', 'D-BT-R',   1, 16711935, 0, 1, 120, 1, 1, 'Фурнитура балконной двери DUV, левая',  1,  0),
  ('D-BT-R',   11, 0,  'Дверь балконная поворотно-откидная, петли справа','D-BT-L',   2, 16711935, 0, 1, 120, 2, 1, 'Фурнитура балконной двери DUV, правая', 1,  0),
  ('D-EN-L',   11, 0,  'Дверь входная поворотная, петли слева',           'D-EN-R',   4, 8388736,  0, 1, 120, 1, 1, 'Фурнитура входной двери DUV, левая',    3,  0),
  ('D-EN-R',   11, 0,  'Дверь входная поворотная, петли справа',          'D-EN-L',   5, 8388736,  0, 1, 120, 2, 1, 'Фурнитура входной двери DUV, правая',   3,  0),
  ('D-EN2-AL', 11, 11, 'Дверь двустворчатая, активная левая створка',     '',         4, 8388736,  0, 1, 120, 1, 1, 'Фурнитура двустворчатой двери DUV, активная', 3, 0),
  ('D-EN2-PR', 11, 22, 'Дверь двустворчатая, пассивная правая створка',   '',         0, 8388863,  0, 1, 120, 2, 1, 'Фурнитура двустворчатой двери DUV, пассивная', 0, 0),
  ('H-D',      33, 0,  'Гарнитур нажимной дверной под цилиндр',           '',         0, 12632256, 1, 1, 120, 3, 1, 'Гарнитур дверной DUV',   0,  0),
  ('HG-D',     21, 0,  'Петли дверные 3D',                                '',         0, 4210752,  1, 1, 120, 3, 1, 'Петли дверные DUV',      0,  0),
  ('L-MP',     41, 0,  'Замок дверной многозапорный',                     '',         0, 255,      1, 1, 120, 3, 1, 'Замок многозапорный DUV', 0, 0),
  ('C-PR',     45, 0,  'Цилиндр профильный',                              '',         0, 32768,    1, 1, 120, 3, 1, 'Цилиндр DUV',            45, 0),
  ('DC-ST',    50, 0,  'Доводчик дверной',                                '',         0, 8421504,  1, 1, 120, 3, 1, 'Доводчик DUV',           0,  0),
  ('LT-FB',    46, 0,  'Шпингалеты торцевые',                             '',         0, 16512,    1, 1, 120, 3, 1, 'Шпингалеты DUV',         0,  0);

-- ===== D-BT-L / D-BT-R: tilt-and-turn balcony door, 600-1250 x 1800-2400 mm =====
-- Like the window kit, with the door lock E210 (handle at 1050 mm), a balcony latch with a
-- shell pull outside (in the outer profile colour), a third hinge and window hardware around it.
INSERT INTO FrnSide (ID, Side, MinSize, MaxSize, MinAngle, MaxAngle, MinRadius, MaxRadius, FullRadius, HalfRadius, EllipseRadius, OpenMode, RotSide, Handled, Banded, Drived, HandleDirect) VALUES
  ('D-BT-L', 1, 1800, 2400, 89, 91, 0, 0, 0, 0, 0, 0, 0, 0, 1, 1, 0),
  ('D-BT-L', 2, 600,  1250, 89, 91, 0, 0, 0, 0, 0, 1, 4, 0, 0, 1, 0),
  ('D-BT-L', 3, 1800, 2400, 89, 91, 0, 0, 0, 0, 0, 1, 1, 1, 0, 1, 1),
  ('D-BT-L', 4, 600,  1250, 89, 91, 0, 0, 0, 0, 0, 0, 0, 0, 0, 1, 0),
  ('D-BT-R', 1, 1800, 2400, 89, 91, 0, 0, 0, 0, 0, 1, 3, 1, 0, 1, 0),
  ('D-BT-R', 2, 600,  1250, 89, 91, 0, 0, 0, 0, 0, 1, 4, 0, 0, 1, 0),
  ('D-BT-R', 3, 1800, 2400, 89, 91, 0, 0, 0, 0, 0, 0, 0, 0, 1, 1, 1),
  ('D-BT-R', 4, 600,  1250, 89, 91, 0, 0, 0, 0, 0, 0, 0, 0, 0, 1, 0);
INSERT INTO FrnSet (ID, Item, PropKey, Number, Condition, FFBMin, FFHMin, ScaleCondition, ScaleStart, ScaleStep, ScaleNum, ScaleScheme, ColorCondition, DefineHandleHeight, HandleSideNo, Required, ItemSideNo, Note) VALUES
--  kit       element props num cond FFB FFH scale start step num scheme      colour hh side req side note
  ('D-BT-L', 'E120', 0,  2,  0,   0,  0,   0,    0,    0,   0,  '',           0,     0,  0,  1,  3, ''),
  ('D-BT-L', 'E130', 0,  0,  0,   80, 0,   1,    80,   40,  1,  '',           0,     0,  0,  1,  4, ''),
  ('D-BT-L', 'E140', 0,  0,  0,   0,  120, 2,    0,    0,   1,  '120;160;200', 0,    0,  0,  1,  1, ''),
  ('D-BT-L', 'E150', 0,  1,  1,   0,  0,   0,    0,    0,   0,  '',           0,     0,  0,  1,  2, ''),
  ('D-BT-L', 'E160', 0,  1,  0,   0,  0,   0,    0,    0,   0,  '',           0,     0,  0,  1,  1, ''),
  ('D-BT-L', 'E165', 0,  1,  0,   0,  0,   0,    0,    0,   0,  '',           0,     0,  0,  1,  1, ''),
  ('D-BT-L', 'E175', 0,  1,  0,   0,  0,   0,    0,    0,   0,  '',           0,     0,  0,  1,  3, ''),
  ('D-BT-L', 'E180', 11, 1,  0,   0,  0,   0,    0,    0,   0,  '',           0,     0,  0,  1,  2, 'Микропроветривание'),
  ('D-BT-L', 'E190', 22, 2,  0,   0,  0,   2,    0,    0,   1,  '100;150',    0,     0,  0,  1,  3, 'Противовзломное исполнение'),
  ('D-BT-L', 'E191', 23, 1,  0,   0,  0,   0,    0,    0,   0,  '',           0,     0,  0,  1,  3, 'RC2'),
  ('D-BT-L', 'E198', 0,  1,  0,   0,  0,   0,    0,    0,   0,  '',           0,     0,  0,  1,  0, ''),
  ('D-BT-L', 'E210', 0,  1,  2,   0,  0,   0,    0,    0,   0,  '',           0,     1,  3,  1,  3, ''),
  ('D-BT-L', 'E250', 0,  1,  0,   0,  0,   0,    0,    0,   0,  '',           0,     0,  0,  1,  3, 'Защелка балконная'),
  ('D-BT-L', 'E268', 0,  1,  0,   0,  0,   0,    0,    0,   0,  '',           0,     0,  0,  1,  1, 'Третья петля'),
  ('D-BT-L', 'E625', 0,  1,  0,   0,  0,   0,    0,    0,   0,  '',           1,     0,  0,  1,  3, 'Снаружи, в цвет профиля'),
  ('D-BT-R', 'E120', 0,  2,  0,   0,  0,   0,    0,    0,   0,  '',           0,     0,  0,  1,  1, ''),
  ('D-BT-R', 'E130', 0,  0,  0,   80, 0,   1,    80,   40,  1,  '',           0,     0,  0,  1,  4, ''),
  ('D-BT-R', 'E140', 0,  0,  0,   0,  120, 2,    0,    0,   1,  '120;160;200', 0,    0,  0,  1,  3, ''),
  ('D-BT-R', 'E150', 0,  1,  1,   0,  0,   0,    0,    0,   0,  '',           0,     0,  0,  1,  2, ''),
  ('D-BT-R', 'E160', 0,  1,  0,   0,  0,   0,    0,    0,   0,  '',           0,     0,  0,  1,  3, ''),
  ('D-BT-R', 'E165', 0,  1,  0,   0,  0,   0,    0,    0,   0,  '',           0,     0,  0,  1,  3, ''),
  ('D-BT-R', 'E175', 0,  1,  0,   0,  0,   0,    0,    0,   0,  '',           0,     0,  0,  1,  1, ''),
  ('D-BT-R', 'E180', 11, 1,  0,   0,  0,   0,    0,    0,   0,  '',           0,     0,  0,  1,  2, 'Микропроветривание'),
  ('D-BT-R', 'E190', 22, 2,  0,   0,  0,   2,    0,    0,   1,  '100;150',    0,     0,  0,  1,  1, 'Противовзломное исполнение'),
  ('D-BT-R', 'E191', 23, 1,  0,   0,  0,   0,    0,    0,   0,  '',           0,     0,  0,  1,  1, 'RC2'),
  ('D-BT-R', 'E198', 0,  1,  0,   0,  0,   0,    0,    0,   0,  '',           0,     0,  0,  1,  0, ''),
  ('D-BT-R', 'E210', 0,  1,  2,   0,  0,   0,    0,    0,   0,  '',           0,     1,  1,  1,  1, ''),
  ('D-BT-R', 'E250', 0,  1,  0,   0,  0,   0,    0,    0,   0,  '',           0,     0,  0,  1,  1, 'Защелка балконная'),
  ('D-BT-R', 'E268', 0,  1,  0,   0,  0,   0,    0,    0,   0,  '',           0,     0,  0,  1,  3, 'Третья петля'),
  ('D-BT-R', 'E625', 0,  1,  0,   0,  0,   0,    0,    0,   0,  '',           1,     0,  0,  1,  1, 'Снаружи, в цвет профиля');
INSERT INTO FrnSet (ID, Item, Number, FFBMin, UseLen, LenFormula, MinLen, Required, ItemSideNo) VALUES
  ('D-BT-L', 'E155', 1, 40, 1, 'FL(2) - 180', 200, 1, 2),
  ('D-BT-R', 'E155', 1, 40, 1, 'FL(2) - 180', 200, 1, 2);

-- ===== D-EN-L / D-EN-R: entrance door (turn only), 700-1250 x 1800-2600 mm =====
-- The locking comes with the lock kit L-MP, the hinges with HG-D; the main kit holds the door
-- stay, the threshold cut to the door width (bottom side 4 plus 60 mm of end caps) and the
-- burglar-resistant parts.
INSERT INTO FrnSide (ID, Side, MinSize, MaxSize, MinAngle, MaxAngle, MinRadius, MaxRadius, FullRadius, HalfRadius, EllipseRadius, OpenMode, RotSide, Handled, Banded, Drived, HandleDirect) VALUES
  ('D-EN-L', 1, 1800, 2600, 89, 91, 0, 0, 0, 0, 0, 0, 0, 0, 1, 0, 0),
  ('D-EN-L', 2, 700,  1250, 89, 91, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0),
  ('D-EN-L', 3, 1800, 2600, 89, 91, 0, 0, 0, 0, 0, 1, 1, 1, 0, 1, 1),
  ('D-EN-L', 4, 700,  1250, 89, 91, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0),
  ('D-EN-R', 1, 1800, 2600, 89, 91, 0, 0, 0, 0, 0, 1, 3, 1, 0, 1, 0),
  ('D-EN-R', 2, 700,  1250, 89, 91, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0),
  ('D-EN-R', 3, 1800, 2600, 89, 91, 0, 0, 0, 0, 0, 0, 0, 0, 1, 0, 1),
  ('D-EN-R', 4, 700,  1250, 89, 91, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0);
INSERT INTO FrnSet (ID, Item, PropKey, Number, ScaleCondition, ScaleNum, ScaleScheme, UseLen, LenFormula, MinLen, Required, ItemSideNo, Note) VALUES
--  kit       element props num scale num scheme     len formula         min  req side note
  ('D-EN-L', 'E190', 22, 4,  2,    1,  '220',      0,  '',             0,   1,  3, 'Противовзломное исполнение'),
  ('D-EN-L', 'E191', 23, 1,  0,    0,  '',         0,  '',             0,   1,  3, 'RC2'),
  ('D-EN-L', 'E198', 0,  1,  0,    0,  '',         0,  '',             0,   1,  0, ''),
  ('D-EN-L', 'E230', 0,  1,  0,    0,  '',         0,  '',             0,   1,  2, ''),
  ('D-EN-L', 'E235', 0,  1,  0,    0,  '',         1,  'FL(4) + 60',   600, 1,  4, 'Порог'),
  ('D-EN-R', 'E190', 22, 4,  2,    1,  '220',      0,  '',             0,   1,  1, 'Противовзломное исполнение'),
  ('D-EN-R', 'E191', 23, 1,  0,    0,  '',         0,  '',             0,   1,  1, 'RC2'),
  ('D-EN-R', 'E198', 0,  1,  0,    0,  '',         0,  '',             0,   1,  0, ''),
  ('D-EN-R', 'E230', 0,  1,  0,    0,  '',         0,  '',             0,   1,  2, ''),
  ('D-EN-R', 'E235', 0,  1,  0,    0,  '',         1,  'FL(4) + 60',   600, 1,  4, 'Порог');

-- ===== D-EN2-AL / D-EN2-PR: two-leaf entrance door, the left leaf active =====
-- The passive leaf takes the keeper strip that fits the lock of the active leaf (the lock is
-- chosen by height and backset, so each strip lists every lock it serves), a fixer when the
-- active leaf is at least 700 mm wide, and the flush bolts of the latch kit LT-FB.
INSERT INTO FrnSide (ID, Side, MinSize, MaxSize, MinAngle, MaxAngle, MinRadius, MaxRadius, FullRadius, HalfRadius, EllipseRadius, OpenMode, RotSide, Handled, Banded, Drived, HandleDirect) VALUES
  ('D-EN2-AL', 1, 1800, 2600, 89, 91, 0, 0, 0, 0, 0, 0, 0, 0, 1, 0, 0),
  ('D-EN2-AL', 2, 600,  1250, 89, 91, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0),
  ('D-EN2-AL', 3, 1800, 2600, 89, 91, 0, 0, 0, 0, 0, 1, 1, 1, 0, 1, 1),
  ('D-EN2-AL', 4, 600,  1250, 89, 91, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0),
  ('D-EN2-PR', 1, 1800, 2600, 89, 91, 0, 0, 0, 0, 0, 1, 3, 0, 0, 1, 0),
  ('D-EN2-PR', 2, 400,  900,  89, 91, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0),
  ('D-EN2-PR', 3, 1800, 2600, 89, 91, 0, 0, 0, 0, 0, 0, 0, 0, 1, 0, 0),
  ('D-EN2-PR', 4, 400,  900,  89, 91, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0);
INSERT INTO FrnSet (ID, Item, Number, UseIfArt, FFL21No, FFL21Min, UseLen, LenFormula, MinLen, Required, ItemSideNo, Note) VALUES
--  kit         element num partner article  L21:side min  len formula        min  req side note
  ('D-EN2-AL', 'E198', 1,  '',               0,        0,   0,  '',            0,   1,  0, ''),
  ('D-EN2-AL', 'E230', 1,  '',               0,        0,   0,  '',            0,   1,  2, ''),
  ('D-EN2-AL', 'E235', 1,  '',               0,        0,   1,  'FL(4) + 30',  600, 1,  4, 'Порог'),
  ('D-EN2-PR', 'E198', 1,  '',               0,        0,   0,  '',            0,   1,  0, ''),
  ('D-EN2-PR', 'E235', 1,  '',               0,        0,   1,  'FL(4) + 30',  400, 1,  4, 'Порог'),
  ('D-EN2-PR', 'E750', 1,  'DUV-71001',      0,        0,   0,  '',            0,   1,  1, ''),
  ('D-EN2-PR', 'E750', 1,  'DUV-71002',      0,        0,   0,  '',            0,   1,  1, ''),
  ('D-EN2-PR', 'E751', 1,  'DUV-71003',      0,        0,   0,  '',            0,   1,  1, ''),
  ('D-EN2-PR', 'E751', 1,  'DUV-71004',      0,        0,   0,  '',            0,   1,  1, ''),
  ('D-EN2-PR', 'E755', 1,  '',               4,        700, 0,  '',            0,   1,  1, '');

-- ===== Door components =====
-- H-D: push-handle set. HG-D: three door hinges by height, a fourth from 2210 mm (the hinge
-- article itself is reinforced from 2210 mm). L-MP: multi-point lock by height and backset; it
-- puts the handle at 1050 mm on the handle side, and the upper rod takes what is left above the
-- handle (the height less the handle height on side 1 or 3, less 250 mm). C-PR: cylinder by
-- profile thickness, two spare keys with the option "5 ключей". DC-ST: door closer by the door
-- width, in the outer colour when the door opens outwards, otherwise in the inner colour.
-- LT-FB: two flush bolts with their rods, each rod half the leaf height less 350 mm.
INSERT INTO FrnSide (ID, Side, MinSize, MaxSize, MinAngle, MaxAngle, MinRadius, MaxRadius, FullRadius, HalfRadius, EllipseRadius, OpenMode, RotSide, Handled, Banded, Drived, HandleDirect) VALUES
  ('L-MP', 1, 0, 9999, 0, 360, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0),
  ('L-MP', 2, 0, 9999, 0, 360, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0),
  ('L-MP', 3, 0, 9999, 0, 360, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 1),
  ('L-MP', 4, 0, 9999, 0, 360, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0);
INSERT INTO FrnSet (ID, Item, PropKey, Number, Condition, ScaleCondition, ScaleNum, ScaleScheme, ColorCondition, DefineHandleHeight, HandleSideNo, UseLen, LenFormula, MinLen, Required, ItemSideNo, AlertIfNoArt) VALUES
--  kit      element props num cond scale num scheme colour hh side len formula                              min  req side alert
  ('H-D',   'E620', 0,  1,  0,   0,    0,  '',    0,     0,  0,   0,  '',                                    0,   1,  0, ''),
  ('HG-D',  'E280', 0,  3,  2,   2,    1,  '221', 0,     0,  0,   0,  '',                                    0,   1,  0, 'Для высоты двери нет дверной петли DUV (допустимо 1800-2600 мм)!'),
  ('L-MP',  'E710', 0,  1,  2,   0,    0,  '',    0,     1,  0,   0,  '',                                    0,   1,  0, 'Для выбранного дорнмасса или высоты двери нет многозапорного замка DUV (дорнмасс 25 или 35 мм, высота 1800-2600 мм)!'),
  ('L-MP',  'E715', 0,  1,  0,   0,    0,  '',    0,     0,  0,   1,  'FRH - Max(FG(1), FG(3)) - 250',       300, 1,  0, ''),
  ('C-PR',  'E720', 0,  1,  0,   0,    0,  '',    0,     0,  0,   0,  '',                                    0,   1,  0, 'Нет цилиндра DUV для заданной толщины профиля (58-82 мм)!'),
  ('C-PR',  'E725', 46, 2,  0,   0,    0,  '',    0,     0,  0,   0,  '',                                    0,   1,  0, ''),
  ('DC-ST', 'E730', 0,  1,  1,   0,    0,  '',    3,     0,  0,   0,  '',                                    0,   1,  2, 'Для ширины двери нет доводчика DUV (допустимо 700-1250 мм)!'),
  ('LT-FB', 'E740', 0,  2,  0,   0,    0,  '',    0,     0,  0,   0,  '',                                    0,   1,  0, ''),
  ('LT-FB', 'E745', 0,  2,  0,   0,    0,  '',    0,     0,  0,   1,  'FRH / 2 - 350',                       300, 1,  0, '');
