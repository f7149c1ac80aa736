-- Demo catalog, part 6: window kits of the system 110 (family 100).
--
-- Every main kit has its side limits (FrnSide): one row per side with the admitted length,
-- corner angle and radius, the opening markers (OpenMode 1 marks the base of the opening
-- triangle, RotSide the side its tip points to: the hinge side for turning, the bottom for
-- tilting), the handle side (Handled, HandleDirect 1 when the handle height is measured from the
-- end corner of the side, as on the right side, which runs downwards), the hinge side (Banded)
-- and the sides with drive parts (Drived). Angles "89-91" mean a right corner; "0-360" means no
-- limit.
--
-- The set rules (FrnSet) of a kit are read in element code order. Columns not listed in an
-- INSERT are 0: no range limit, no scaling, no property restriction.
--   cond   computation principle of the article choice: 0 none, 1 by FFB, 2 by FFH,
--          4 by the length of side Side1No, 7 by the angle at corner AngleNo,
--          8 by the radius of side Side1No
--   scale  1 by FFB, 2 by FFH, 3 by the length of side Side1No: with ScaleScheme the count grows
--          by ScaleNum at every threshold reached, otherwise by ScaleNum every ScaleStep from
--          ScaleStart on
--   hh     the element defines the handle height on side HandleSideNo (0: the handle side)
--   side   ItemSideNo, the side the article is fitted on (keepers and covers inherit it)

-- Kits. Group 10 window kits (SubGroup 0 single sash; 11 / 21 the active sash of two sashes
-- with the left / right sash active; 22 / 12 the passive sash next to it), 30 handles,
-- 70 additional kits. Image: the direction symbol (1 arrow to the left, 2 to the right,
-- 4 / 5 turn-only to the left / right); passive sashes have none.
INSERT INTO FrnComp (ID, "Group", SubGroup, Name, SymmetricID, Image, ScrColor, TFlugelAvailable, "Use", CommonGrp, Direct, Printable, PrintName, PropKey, Material) VALUES
  ('W-TT-L',  10, 0,  'Поворотно-откидной, петли слева',               'W-TT-R',  1, 16744448, 1, 1, 110, 1, 1, 'Фурнитура поворотно-откидная DUV, левая',  1, 1),
  ('W-TT-R',  10, 0,  'Поворотно-откидной, петли справа',              'W-TT-L',  2, 16744448, 1, 1, 110, 2, 1, 'Фурнитура поворотно-откидная DUV, правая', 1, 1),
  ('W-ST-AL', 10, 11, 'Штульповый активный, левая створка',            'W-ST-AR', 1, 16744576, 0, 1, 110, 1, 1, 'Фурнитура штульповая DUV, активная левая',  2, 1),
  ('W-ST-PR', 10, 22, 'Штульповый пассивный, правая створка',          'W-ST-PL', 0, 8421631,  0, 1, 110, 2, 1, 'Фурнитура штульповая DUV, пассивная правая', 0, 1),
  ('W-ST-AR', 10, 21, 'Штульповый активный, правая створка',           'W-ST-AL', 2, 16744576, 0, 1, 110, 2, 1, 'Фурнитура штульповая DUV, активная правая', 2, 1),
  ('W-ST-PL', 10, 12, 'Штульповый пассивный, левая створка',           'W-ST-PR', 0, 8421631,  0, 1, 110, 1, 1, 'Фурнитура штульповая DUV, пассивная левая', 0, 1),
  ('W-AR-L',  10, 0,  'Арочный поворотный, петли слева',               'W-AR-R',  4, 65535,    0, 1, 110, 1, 1, 'Фурнитура арочная DUV, левая',              0, 1),
  ('W-AR-R',  10, 0,  'Арочный поворотный, петли справа',              'W-AR-L',  5, 65535,    0, 1, 110, 2, 1, 'Фурнитура арочная DUV, правая',             0, 1),
  ('W-TZ-3',  10, 0,  'Трапеция (левая сторона ниже), поворотный',     'W-TZ-4',  5, 4259584,  0, 1, 110, 2, 1, 'Фурнитура для трапеции DUV',                0, 1),
  ('W-TZ-4',  10, 0,  'Трапеция (правая сторона ниже), поворотный',    'W-TZ-3',  4, 4259584,  0, 1, 110, 1, 1, 'Фурнитура для трапеции DUV',                0, 1),
  ('W-TG-5',  10, 0,  'Треугольник (вертикаль справа), поворотный',    'W-TG-6',  5, 4227327,  0, 1, 110, 2, 1, 'Фурнитура для треугольной створки DUV',     0, 1),
  ('W-TG-6',  10, 0,  'Треугольник (вертикаль слева), поворотный',     'W-TG-5',  4, 4227327,  0, 1, 110, 1, 1, 'Фурнитура для треугольной створки DUV',     0, 1),
  ('H-W',     30, 0,  'Ручка оконная DUV',                             '',        0, 12632256, 1, 1, 100, 3, 1, 'Ручка оконная DUV',                         30, 0),
  ('X-LIM',   70, 0,  'Ограничитель открывания оконный',               '',        0, 8421504,  1, 1, 100, 3, 1, 'Ограничитель открывания',                   0, 0);

-- ===== W-TT-L / W-TT-R: tilt-and-turn single sash, 400-1300 x 400-2400 mm =====
-- Left hand: hinges on side 1, handle on side 3; tilting over the bottom (marker from the top),
-- turning about side 1 (marker from side 3). The right hand mirrors sides 1 and 3.
INSERT INTO FrnSide (ID, Side, MinSize, MaxSize, MinAngle, MaxAngle, MinRadius, MaxRadius, FullRadius, HalfRadius, EllipseRadius, OpenMode, RotSide, Handled, Banded, Drived, HandleDirect) VALUES
  ('W-TT-L', 1, 400, 2400, 89, 91, 0, 0, 0, 0, 0, 0, 0, 0, 1, 1, 0),
  ('W-TT-L', 2, 400, 1300, 89, 91, 0, 0, 0, 0, 0, 1, 4, 0, 0, 1, 0),
  ('W-TT-L', 3, 400, 2400, 89, 91, 0, 0, 0, 0, 0, 1, 1, 1, 0, 1, 1),
  ('W-TT-L', 4, 400, 1300, 89, 91, 0, 0, 0, 0, 0, 0, 0, 0, 0, 1, 0),
  ('W-TT-R', 1, 400, 2400, 89, 91, 0, 0, 0, 0, 0, 1, 3, 1, 0, 1, 0),
  ('W-TT-R', 2, 400, 1300, 89, 91, 0, 0, 0, 0, 0, 1, 4, 0, 0, 1, 0),
  ('W-TT-R', 3, 400, 2400, 89, 91, 0, 0, 0, 0, 0, 0, 0, 0, 1, 1, 1),
  ('W-TT-R', 4, 400, 1300, 89, 91, 0, 0, 0, 0, 0, 0, 0, 0, 0, 1, 0);
INSERT INTO FrnSet (ID, Item, PropKey, Number, Condition, FFBMin, FFHMin, ScaleCondition, ScaleStart, ScaleStep, ScaleNum, ScaleScheme, DefineHandleHeight, HandleSideNo, Required, ItemSideNo, Note, AlertIfNoArt) VALUES
--  kit       element props num cond FFB FFH scale start step num scheme     hh side req side note
  ('W-TT-L', 'E110', 0,  1,  2,   0,  0,   0,    0,    0,   0,  '',          1,  3,  1,  3, '', 'Для высоты створки нет основного запора DUV (допустимо 400-2400 мм)!'),
  ('W-TT-L', 'E120', 0,  2,  0,   0,  0,   0,    0,    0,   0,  '',          0,  0,  1,  3, 'Угловые переключатели вверху и внизу', ''),
  -- one bottom middle lock from 800 mm width, one more every 400 mm
  ('W-TT-L', 'E130', 0,  0,  0,   80, 0,   1,    80,   40,  1,  '',          0,  0,  1,  4, '', ''),
  -- hinge-side middle locks: one at 1200 mm height, one more at 1600 and at 2000 mm
  ('W-TT-L', 'E140', 0,  0,  0,   0,  120, 2,    0,    0,   1,  '120;160;200', 0, 0,  1,  1, '', ''),
  ('W-TT-L', 'E150', 0,  1,  1,   0,  0,   0,    0,    0,   0,  '',          0,  0,  1,  2, '', 'Ширина створки вне диапазона ножниц DUV (280-1300 мм)!'),
  ('W-TT-L', 'E160', 0,  1,  0,   0,  0,   0,    0,    0,   0,  '',          0,  0,  1,  1, '', ''),
  ('W-TT-L', 'E165', 0,  1,  0,   0,  0,   0,    0,    0,   0,  '',          0,  0,  1,  1, '', ''),
  -- a lifter for sashes wider than 800 mm, where one is available
  ('W-TT-L', 'E170', 0,  1,  0,   81, 0,   0,    0,    0,   0,  '',          0,  0,  0,  3, '', ''),
  ('W-TT-L', 'E175', 0,  1,  0,   0,  0,   0,    0,    0,   0,  '',          0,  0,  1,  3, '', ''),
  ('W-TT-L', 'E180', 11, 1,  0,   0,  0,   0,    0,    0,   0,  '',          0,  0,  1,  2, 'Микропроветривание', ''),
  -- burglar resistance: two mushroom pins, one more at 1000 and at 1500 mm height
  ('W-TT-L', 'E190', 22, 2,  0,   0,  0,   2,    0,    0,   1,  '100;150',   0,  0,  1,  3, 'Противовзломное исполнение', ''),
  ('W-TT-L', 'E191', 23, 1,  0,   0,  0,   0,    0,    0,   0,  '',          0,  0,  1,  3, 'RC2', ''),
  ('W-TT-L', 'E198', 0,  1,  0,   0,  0,   0,    0,    0,   0,  '',          0,  0,  1,  0, '', ''),
  ('W-TT-R', 'E110', 0,  1,  2,   0,  0,   0,    0,    0,   0,  '',          1,  1,  1,  1, '', 'Для высоты створки нет основного запора DUV (допустимо 400-2400 мм)!'),
  ('W-TT-R', 'E120', 0,  2,  0,   0,  0,   0,    0,    0,   0,  '',          0,  0,  1,  1, 'Угловые переключатели вверху и внизу', ''),
  ('W-TT-R', 'E130', 0,  0,  0,   80, 0,   1,    80,   40,  1,  '',          0,  0,  1,  4, '', ''),
  ('W-TT-R', 'E140', 0,  0,  0,   0,  120, 2,    0,    0,   1,  '120;160;200', 0, 0,  1,  3, '', ''),
  ('W-TT-R', 'E150', 0,  1,  1,   0,  0,   0,    0,    0,   0,  '',          0,  0,  1,  2, '', 'Ширина створки вне диапазона ножниц DUV (280-1300 мм)!'),
  ('W-TT-R', 'E160', 0,  1,  0,   0,  0,   0,    0,    0,   0,  '',          0,  0,  1,  3, '', ''),
  ('W-TT-R', 'E165', 0,  1,  0,   0,  0,   0,    0,    0,   0,  '',          0,  0,  1,  3, '', ''),
  ('W-TT-R', 'E170', 0,  1,  0,   81, 0,   0,    0,    0,   0,  '',          0,  0,  0,  1, '', ''),
  ('W-TT-R', 'E175', 0,  1,  0,   0,  0,   0,    0,    0,   0,  '',          0,  0,  1,  1, '', ''),
  ('W-TT-R', 'E180', 11, 1,  0,   0,  0,   0,    0,    0,   0,  '',          0,  0,  1,  2, 'Микропроветривание', ''),
  ('W-TT-R', 'E190', 22, 2,  0,   0,  0,   2,    0,    0,   1,  '100;150',   0,  0,  1,  1, 'Противовзломное исполнение', ''),
  ('W-TT-R', 'E191', 23, 1,  0,   0,  0,   0,    0,    0,   0,  '',          0,  0,  1,  1, 'RC2', ''),
  ('W-TT-R', 'E198', 0,  1,  0,   0,  0,   0,    0,    0,   0,  '',          0,  0,  1,  0, '', '');
-- The stay arm rail is cut to the top side: its length minus 180 mm, at least 200 mm.
INSERT INTO FrnSet (ID, Item, Number, FFBMin, UseLen, LenFormula, MinLen, Required, ItemSideNo) VALUES
  ('W-TT-L', 'E155', 1, 40, 1, 'FL(2) - 180', 200, 1, 2),
  ('W-TT-R', 'E155', 1, 40, 1, 'FL(2) - 180', 200, 1, 2);

-- ===== Two sashes without a mullion =====
-- The active sash carries a tilt-and-turn kit whose handle sits on the meeting side; the
-- passive sash carries the mullion mechanism, the latches and the keepers of the active sash's
-- locking points. W-ST-AL (left active, handle on side 3) pairs with W-ST-PR (right passive,
-- mechanism on side 1, hinges on side 3); W-ST-AR (right active) pairs with W-ST-PL.
INSERT INTO FrnSide (ID, Side, MinSize, MaxSize, MinAngle, MaxAngle, MinRadius, MaxRadius, FullRadius, HalfRadius, EllipseRadius, OpenMode, RotSide, Handled, Banded, Drived, HandleDirect) VALUES
  ('W-ST-AL', 1, 400, 2400, 89, 91, 0, 0, 0, 0, 0, 0, 0, 0, 1, 1, 0),
  ('W-ST-AL', 2, 400, 1300, 89, 91, 0, 0, 0, 0, 0, 1, 4, 0, 0, 1, 0),
  ('W-ST-AL', 3, 400, 2400, 89, 91, 0, 0, 0, 0, 0, 1, 1, 1, 0, 1, 1),
  ('W-ST-AL', 4, 400, 1300, 89, 91, 0, 0, 0, 0, 0, 0, 0, 0, 0, 1, 0),
  ('W-ST-PR', 1, 400, 2400, 89, 91, 0, 0, 0, 0, 0, 1, 3, 0, 0, 1, 0),
  ('W-ST-PR', 2, 300, 1000, 89, 91, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0),
  ('W-ST-PR', 3, 400, 2400, 89, 91, 0, 0, 0, 0, 0, 0, 0, 0, 1, 0, 0),
  ('W-ST-PR', 4, 300, 1000, 89, 91, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0),
  ('W-ST-AR', 1, 400, 2400, 89, 91, 0, 0, 0, 0, 0, 1, 3, 1, 0, 1, 0),
  ('W-ST-AR', 2, 400, 1300, 89, 91, 0, 0, 0, 0, 0, 1, 4, 0, 0, 1, 0),
  ('W-ST-AR', 3, 400, 2400, 89, 91, 0, 0, 0, 0, 0, 0, 0, 0, 1, 1, 1),
  ('W-ST-AR', 4, 400, 1300, 89, 91, 0, 0, 0, 0, 0, 0, 0, 0, 0, 1, 0),
  ('W-ST-PL', 1, 400, 2400, 89, 91, 0, 0, 0, 0, 0, 0, 0, 0, 1, 0, 0),
  ('W-ST-PL', 2, 300, 1000, 89, 91, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0),
  ('W-ST-PL', 3, 400, 2400, 89, 91, 0, 0, 0, 0, 0, 1, 1, 0, 0, 1, 0),
  ('W-ST-PL', 4, 300, 1000, 89, 91, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0);
INSERT INTO FrnSet (ID, Item, PropKey, Number, Condition, FFBMin, FFHMin, ScaleCondition, ScaleStart, ScaleStep, ScaleNum, ScaleScheme, DefineHandleHeight, HandleSideNo, Required, ItemSideNo, Note) VALUES
--  kit        element props num cond FFB FFH scale start step num scheme      hh side req side note
  ('W-ST-AL', 'E110', 0,  1,  2,   0,  0,   0,    0,    0,   0,  '',           1,  3,  1,  3, ''),
  ('W-ST-AL', 'E120', 0,  2,  0,   0,  0,   0,    0,    0,   0,  '',           0,  0,  1,  3, ''),
  ('W-ST-AL', 'E130', 0,  0,  0,   80, 0,   1,    80,   40,  1,  '',           0,  0,  1,  4, ''),
  ('W-ST-AL', 'E140', 0,  0,  0,   0,  120, 2,    0,    0,   1,  '120;160;200', 0, 0,  1,  1, ''),
  -- a middle lock on the meeting side from 1200 mm; its keeper is in the passive sash
  ('W-ST-AL', 'E145', 0,  1,  0,   0,  120, 0,    0,    0,   0,  '',           0,  0,  1,  3, 'Средний запор на штульпе'),
  ('W-ST-AL', 'E150', 0,  1,  1,   0,  0,   0,    0,    0,   0,  '',           0,  0,  1,  2, ''),
  ('W-ST-AL', 'E160', 0,  1,  0,   0,  0,   0,    0,    0,   0,  '',           0,  0,  1,  1, ''),
  ('W-ST-AL', 'E165', 0,  1,  0,   0,  0,   0,    0,    0,   0,  '',           0,  0,  1,  1, ''),
  ('W-ST-AL', 'E175', 0,  1,  0,   0,  0,   0,    0,    0,   0,  '',           0,  0,  1,  3, ''),
  ('W-ST-AL', 'E180', 11, 1,  0,   0,  0,   0,    0,    0,   0,  '',           0,  0,  1,  2, 'Микропроветривание'),
  ('W-ST-AL', 'E198', 0,  1,  0,   0,  0,   0,    0,    0,   0,  '',           0,  0,  1,  0, ''),
  ('W-ST-AR', 'E110', 0,  1,  2,   0,  0,   0,    0,    0,   0,  '',           1,  1,  1,  1, ''),
  ('W-ST-AR', 'E120', 0,  2,  0,   0,  0,   0,    0,    0,   0,  '',           0,  0,  1,  1, ''),
  ('W-ST-AR', 'E130', 0,  0,  0,   80, 0,   1,    80,   40,  1,  '',           0,  0,  1,  4, ''),
  ('W-ST-AR', 'E140', 0,  0,  0,   0,  120, 2,    0,    0,   1,  '120;160;200', 0, 0,  1,  3, ''),
  ('W-ST-AR', 'E145', 0,  1,  0,   0,  120, 0,    0,    0,   0,  '',           0,  0,  1,  1, 'Средний запор на штульпе'),
  ('W-ST-AR', 'E150', 0,  1,  1,   0,  0,   0,    0,    0,   0,  '',           0,  0,  1,  2, ''),
  ('W-ST-AR', 'E160', 0,  1,  0,   0,  0,   0,    0,    0,   0,  '',           0,  0,  1,  3, ''),
  ('W-ST-AR', 'E165', 0,  1,  0,   0,  0,   0,    0,    0,   0,  '',           0,  0,  1,  3, ''),
  ('W-ST-AR', 'E175', 0,  1,  0,   0,  0,   0,    0,    0,   0,  '',           0,  0,  1,  1, ''),
  ('W-ST-AR', 'E180', 11, 1,  0,   0,  0,   0,    0,    0,   0,  '',           0,  0,  1,  2, 'Микропроветривание'),
  ('W-ST-AR', 'E198', 0,  1,  0,   0,  0,   0,    0,    0,   0,  '',           0,  0,  1,  0, ''),
  -- passive sashes: mechanism by height and mullion type, two latches, and the keepers of the
  -- active sash: one, one more at 800, 1200 and 1800 mm height
  ('W-ST-PR', 'E160', 0,  1,  0,   0,  0,   0,    0,    0,   0,  '',           0,  0,  1,  3, ''),
  ('W-ST-PR', 'E165', 0,  1,  0,   0,  0,   0,    0,    0,   0,  '',           0,  0,  1,  3, ''),
  ('W-ST-PR', 'E198', 0,  1,  0,   0,  0,   0,    0,    0,   0,  '',           0,  0,  1,  0, ''),
  ('W-ST-PR', 'E310', 0,  1,  2,   0,  0,   0,    0,    0,   0,  '',           0,  0,  1,  1, ''),
  ('W-ST-PR', 'E320', 0,  2,  0,   0,  0,   0,    0,    0,   0,  '',           0,  0,  1,  1, 'Защелки вверху и внизу'),
  ('W-ST-PR', 'E545', 0,  1,  0,   0,  0,   2,    0,    0,   1,  '80;120;180', 0,  0,  1,  1, 'Ответные планки активной створки'),
  ('W-ST-PL', 'E160', 0,  1,  0,   0,  0,   0,    0,    0,   0,  '',           0,  0,  1,  1, ''),
  ('W-ST-PL', 'E165', 0,  1,  0,   0,  0,   0,    0,    0,   0,  '',           0,  0,  1,  1, ''),
  ('W-ST-PL', 'E198', 0,  1,  0,   0,  0,   0,    0,    0,   0,  '',           0,  0,  1,  0, ''),
  ('W-ST-PL', 'E310', 0,  1,  2,   0,  0,   0,    0,    0,   0,  '',           0,  0,  1,  3, ''),
  ('W-ST-PL', 'E320', 0,  2,  0,   0,  0,   0,    0,    0,   0,  '',           0,  0,  1,  3, 'Защелки вверху и внизу'),
  ('W-ST-PL', 'E545', 0,  1,  0,   0,  0,   2,    0,    0,   1,  '80;120;180', 0,  0,  1,  3, 'Ответные планки активной створки');
INSERT INTO FrnSet (ID, Item, Number, FFBMin, UseLen, LenFormula, MinLen, Required, ItemSideNo) VALUES
  ('W-ST-AL', 'E155', 1, 40, 1, 'FL(2) - 180', 200, 1, 2),
  ('W-ST-AR', 'E155', 1, 40, 1, 'FL(2) - 180', 200, 1, 2);
-- What the passive sash takes from its partner: the keeper of the active meeting-side middle
-- lock (only when the active sash has that lock), an extra clamp next to the tallest active lock,
-- a fixer chosen by the width of the active sash (its bottom side 4) and an intermediate clamp
-- next to a tall active sash (its hinge side at least 1201 mm).
INSERT INTO FrnSet (ID, Item, Number, UseIfArt, FFL21No, FFL21Min, FFL21Max, FFL22No, FFL22Min, FFL22Max, Required, ItemSideNo, Note) VALUES
--  kit        element num partner article  side min  max   side  min   max  req side
  ('W-ST-PR', 'E330', 1,  'DUV-14501',      0,   0,   0,    0,    0,    0,   1,  1, 'Под средний запор активной створки'),
  ('W-ST-PR', 'E337', 1,  'DUV-11005',      0,   0,   0,    0,    0,    0,   1,  1, ''),
  ('W-ST-PR', 'E340', 1,  '',               4,   0,   600,  0,    0,    0,   1,  1, ''),
  ('W-ST-PR', 'E345', 1,  '',               4,   601, 0,    0,    0,    0,   1,  1, ''),
  ('W-ST-PR', 'E347', 1,  '',               0,   0,   0,    1,    1201, 0,   1,  1, ''),
  ('W-ST-PL', 'E330', 1,  'DUV-14501',      0,   0,   0,    0,    0,    0,   1,  3, 'Под средний запор активной створки'),
  ('W-ST-PL', 'E337', 1,  'DUV-11005',      0,   0,   0,    0,    0,    0,   1,  3, ''),
  ('W-ST-PL', 'E340', 1,  '',               4,   0,   600,  0,    0,    0,   1,  3, ''),
  ('W-ST-PL', 'E345', 1,  '',               4,   601, 0,    0,    0,    0,   1,  3, ''),
  ('W-ST-PL', 'E347', 1,  '',               0,   0,   0,    3,    1201, 0,   1,  3, '');

-- ===== W-AR-L / W-AR-R: arched turn sash =====
-- Side 2 is the arc (a semicircle or a segment, radius 250-5000 mm); sides 1 and 3 are the
-- vertical sides below the springing line. Left hand: hinges on side 1, handle on side 3.
INSERT INTO FrnSide (ID, Side, MinSize, MaxSize, MinAngle, MaxAngle, MinRadius, MaxRadius, FullRadius, HalfRadius, EllipseRadius, OpenMode, RotSide, Handled, Banded, Drived, HandleDirect) VALUES
  ('W-AR-L', 1, 300, 2000, 0, 360, 0,   0,    0, 0, 0, 0, 0, 0, 1, 0, 0),
  ('W-AR-L', 2, 500, 1600, 0, 360, 250, 5000, 1, 1, 0, 0, 0, 0, 0, 1, 0),
  ('W-AR-L', 3, 300, 2000, 0, 360, 0,   0,    0, 0, 0, 1, 1, 1, 0, 1, 1),
  ('W-AR-L', 4, 500, 1600, 0, 360, 0,   0,    0, 0, 0, 0, 0, 0, 0, 0, 0),
  ('W-AR-R', 1, 300, 2000, 0, 360, 0,   0,    0, 0, 0, 1, 3, 1, 0, 1, 0),
  ('W-AR-R', 2, 500, 1600, 0, 360, 250, 5000, 1, 1, 0, 0, 0, 0, 0, 1, 0),
  ('W-AR-R', 3, 300, 2000, 0, 360, 0,   0,    0, 0, 0, 0, 0, 0, 1, 0, 1),
  ('W-AR-R', 4, 500, 1600, 0, 360, 0,   0,    0, 0, 0, 0, 0, 0, 0, 0, 0);
-- The lock is chosen by the length of the handle side, the handle in its middle; the arch corner
-- drives by the radius of the arc; the rod runs along the arc: its length is the arc length
-- (Huygens' rule over the chord FL(2) and the rise, the sash height FRH less side 1) less
-- 200 mm taken by the corner drives.
INSERT INTO FrnSet (ID, Item, Number, Condition, Side1No, DefineHandleHeight, HandleSideNo, FFL1No, FFL1Min, FFR1No, FFR1Min, FFR1Max, FFR1Type, UseLen, LenFormula, MinLen, Required, ItemSideNo, Note) VALUES
--  kit       element num cond s1 hh hs  L1:side min    R1:side min  max   type  len formula                                                                          min  req side
  ('W-AR-L', 'E115', 1,  4,   3,  1, 3,  0,  0,      0,  0,   0,    0,    0,  '',                                                                                0,   1,  3, ''),
  ('W-AR-L', 'E120', 1,  0,   0,  0, 0,  0,  0,      0,  0,   0,    0,    0,  '',                                                                                0,   1,  3, 'Угловой переключатель внизу'),
  ('W-AR-L', 'E140', 1,  0,   0,  0, 0,  1,  1000,   0,  0,   0,    0,    0,  '',                                                                                0,   1,  1, ''),
  ('W-AR-L', 'E160', 1,  0,   0,  0, 0,  0,  0,      0,  0,   0,    0,    0,  '',                                                                                0,   1,  1, ''),
  ('W-AR-L', 'E165', 1,  0,   0,  0, 0,  0,  0,      0,  0,   0,    0,    0,  '',                                                                                0,   1,  1, ''),
  ('W-AR-L', 'E198', 1,  0,   0,  0, 0,  0,  0,      0,  0,   0,    0,    0,  '',                                                                                0,   1,  0, ''),
  ('W-AR-L', 'E410', 2,  8,   2,  0, 0,  0,  0,      2,  250, 5000, 6,    0,  '',                                                                                0,   1,  2, ''),
  ('W-AR-L', 'E415', 1,  0,   0,  0, 0,  0,  0,      0,  0,   0,    0,    1,  '(8 * Sqrt(FL(2) * FL(2) / 4 + (FRH - FL(1)) * (FRH - FL(1))) - FL(2)) / 3 - 200', 200, 1,  2, 'Тяга по дуге'),
  ('W-AR-L', 'E416', 1,  0,   0,  0, 0,  0,  0,      2,  0,   0,    2,    0,  '',                                                                                0,   1,  2, 'Полуциркульная арка'),
  ('W-AR-L', 'E417', 1,  0,   0,  0, 0,  0,  0,      2,  0,   0,    4,    0,  '',                                                                                0,   1,  2, 'Сегментная арка'),
  ('W-AR-R', 'E115', 1,  4,   1,  1, 1,  0,  0,      0,  0,   0,    0,    0,  '',                                                                                0,   1,  1, ''),
  ('W-AR-R', 'E120', 1,  0,   0,  0, 0,  0,  0,      0,  0,   0,    0,    0,  '',                                                                                0,   1,  1, 'Угловой переключатель внизу'),
  ('W-AR-R', 'E140', 1,  0,   0,  0, 0,  3,  1000,   0,  0,   0,    0,    0,  '',                                                                                0,   1,  3, ''),
  ('W-AR-R', 'E160', 1,  0,   0,  0, 0,  0,  0,      0,  0,   0,    0,    0,  '',                                                                                0,   1,  3, ''),
  ('W-AR-R', 'E165', 1,  0,   0,  0, 0,  0,  0,      0,  0,   0,    0,    0,  '',                                                                                0,   1,  3, ''),
  ('W-AR-R', 'E198', 1,  0,   0,  0, 0,  0,  0,      0,  0,   0,    0,    0,  '',                                                                                0,   1,  0, ''),
  ('W-AR-R', 'E410', 2,  8,   2,  0, 0,  0,  0,      2,  250, 5000, 6,    0,  '',                                                                                0,   1,  2, ''),
  ('W-AR-R', 'E415', 1,  0,   0,  0, 0,  0,  0,      0,  0,   0,    0,    1,  '(8 * Sqrt(FL(2) * FL(2) / 4 + (FRH - FL(1)) * (FRH - FL(1))) - FL(2)) / 3 - 200', 200, 1,  2, 'Тяга по дуге'),
  ('W-AR-R', 'E416', 1,  0,   0,  0, 0,  0,  0,      2,  0,   0,    2,    0,  '',                                                                                0,   1,  2, 'Полуциркульная арка'),
  ('W-AR-R', 'E417', 1,  0,   0,  0, 0,  0,  0,      2,  0,   0,    4,    0,  '',                                                                                0,   1,  2, 'Сегментная арка');

-- ===== W-TZ-3 / W-TZ-4: trapezoid turn sash =====
-- W-TZ-3 (the left side lower): side 1 is the short left side, side 2 the sloped top, side 3
-- the long right side with the hinges; the handle sits on the short side. The top-left corner
-- (corner 2) is obtuse, the top-right corner (corner 3) acute. W-TZ-4 mirrors it.
INSERT INTO FrnSide (ID, Side, MinSize, MaxSize, MinAngle, MaxAngle, MinRadius, MaxRadius, FullRadius, HalfRadius, EllipseRadius, OpenMode, RotSide, Handled, Banded, Drived, HandleDirect) VALUES
  ('W-TZ-3', 1, 300, 2000, 89, 91,  0, 0, 0, 0, 0, 1, 3, 1, 0, 1, 0),
  ('W-TZ-3', 2, 400, 2000, 95, 150, 0, 0, 0, 0, 0, 0, 0, 0, 0, 1, 0),
  ('W-TZ-3', 3, 400, 2400, 30, 85,  0, 0, 0, 0, 0, 0, 0, 0, 1, 0, 0),
  ('W-TZ-3', 4, 400, 1300, 89, 91,  0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0),
  ('W-TZ-4', 1, 400, 2400, 89, 91,  0, 0, 0, 0, 0, 0, 0, 0, 1, 0, 0),
  ('W-TZ-4', 2, 400, 2000, 30, 85,  0, 0, 0, 0, 0, 0, 0, 0, 0, 1, 0),
  ('W-TZ-4', 3, 300, 2000, 95, 150, 0, 0, 0, 0, 0, 1, 1, 1, 0, 1, 1),
  ('W-TZ-4', 4, 400, 1300, 89, 91,  0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0);
-- Corner drives of the sloped corners by their angle (the rule admits only the angle range the
-- drive is made for); a middle lock on the sloped side from 900 mm, one more every 500 mm.
INSERT INTO FrnSet (ID, Item, Number, Condition, Side1No, AngleNo, DefineHandleHeight, HandleSideNo, FFANo, FFAMin, FFAMax, FFL1No, FFL1Min, ScaleCondition, ScaleStart, ScaleStep, ScaleNum, Required, ItemSideNo, Note) VALUES
--  kit       element num cond s1 angle hh hs  A:corner min  max   L1:side min  scale start step num req side
  ('W-TZ-3', 'E115', 1,  4,   1,  0,    1, 1,  0,       0,   0,    0,      0,   0,    0,    0,   0,  1,  1, ''),
  ('W-TZ-3', 'E120', 1,  0,   0,  0,    0, 0,  0,       0,   0,    0,      0,   0,    0,    0,   0,  1,  1, 'Угловой переключатель внизу'),
  ('W-TZ-3', 'E125', 1,  7,   0,  2,    0, 0,  2,       95,  150,  0,      0,   0,    0,    0,   0,  1,  2, 'Тупой угол'),
  ('W-TZ-3', 'E125', 1,  7,   0,  3,    0, 0,  3,       30,  85,   0,      0,   0,    0,    0,   0,  1,  2, 'Острый угол'),
  ('W-TZ-3', 'E160', 1,  0,   0,  0,    0, 0,  0,       0,   0,    0,      0,   0,    0,    0,   0,  1,  3, ''),
  ('W-TZ-3', 'E165', 1,  0,   0,  0,    0, 0,  0,       0,   0,    0,      0,   0,    0,    0,   0,  1,  3, ''),
  ('W-TZ-3', 'E198', 1,  0,   0,  0,    0, 0,  0,       0,   0,    0,      0,   0,    0,    0,   0,  1,  0, ''),
  ('W-TZ-3', 'E440', 0,  0,   2,  0,    0, 0,  0,       0,   0,    2,      900, 3,    900,  500, 1,  1,  2, ''),
  ('W-TZ-4', 'E115', 1,  4,   3,  0,    1, 3,  0,       0,   0,    0,      0,   0,    0,    0,   0,  1,  3, ''),
  ('W-TZ-4', 'E120', 1,  0,   0,  0,    0, 0,  0,       0,   0,    0,      0,   0,    0,    0,   0,  1,  3, 'Угловой переключатель внизу'),
  ('W-TZ-4', 'E125', 1,  7,   0,  2,    0, 0,  2,       30,  85,   0,      0,   0,    0,    0,   0,  1,  2, 'Острый угол'),
  ('W-TZ-4', 'E125', 1,  7,   0,  3,    0, 0,  3,       95,  150,  0,      0,   0,    0,    0,   0,  1,  2, 'Тупой угол'),
  ('W-TZ-4', 'E160', 1,  0,   0,  0,    0, 0,  0,       0,   0,    0,      0,   0,    0,    0,   0,  1,  1, ''),
  ('W-TZ-4', 'E165', 1,  0,   0,  0,    0, 0,  0,       0,   0,    0,      0,   0,    0,    0,   0,  1,  1, ''),
  ('W-TZ-4', 'E198', 1,  0,   0,  0,    0, 0,  0,       0,   0,    0,      0,   0,    0,    0,   0,  1,  0, ''),
  ('W-TZ-4', 'E440', 0,  0,   2,  0,    0, 0,  0,       0,   0,    2,      900, 3,    900,  500, 1,  1,  2, '');

-- ===== W-TG-5 / W-TG-6: triangular turn sash =====
-- W-TG-5 (vertical side on the right): side 1 is the sloped side with the handle, side 2 the
-- vertical side with the hinges, side 3 the bottom; corners 1 and 2 are acute (20-70 degrees).
-- W-TG-6 (vertical side on the left): side 1 vertical with the hinges, side 2 sloped with the
-- handle; corners 2 and 3 are acute.
INSERT INTO FrnSide (ID, Side, MinSize, MaxSize, MinAngle, MaxAngle, MinRadius, MaxRadius, FullRadius, HalfRadius, EllipseRadius, OpenMode, RotSide, Handled, Banded, Drived, HandleDirect) VALUES
  ('W-TG-5', 1, 500, 2600, 20, 70, 0, 0, 0, 0, 0, 1, 2, 1, 0, 1, 0),
  ('W-TG-5', 2, 400, 2000, 20, 70, 0, 0, 0, 0, 0, 0, 0, 0, 1, 0, 0),
  ('W-TG-5', 3, 400, 1600, 89, 91, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0),
  ('W-TG-6', 1, 400, 2000, 89, 91, 0, 0, 0, 0, 0, 0, 0, 0, 1, 0, 0),
  ('W-TG-6', 2, 500, 2600, 20, 70, 0, 0, 0, 0, 0, 1, 1, 1, 0, 1, 1),
  ('W-TG-6', 3, 400, 1600, 20, 70, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0);
-- Acute-corner drives by the angle of each acute corner; a fixer where the top corner is
-- sharper than 35 degrees.
INSERT INTO FrnSet (ID, Item, Number, Condition, Side1No, AngleNo, DefineHandleHeight, HandleSideNo, FFANo, FFAMin, FFAMax, Required, ItemSideNo, Note) VALUES
--  kit       element num cond s1 angle hh hs  A:corner min max req side
  ('W-TG-5', 'E115', 1,  4,   1,  0,    1, 1,  0,       0,  0,  1,  1, ''),
  ('W-TG-5', 'E160', 1,  0,   0,  0,    0, 0,  0,       0,  0,  1,  2, ''),
  ('W-TG-5', 'E165', 1,  0,   0,  0,    0, 0,  0,       0,  0,  1,  2, ''),
  ('W-TG-5', 'E198', 1,  0,   0,  0,    0, 0,  0,       0,  0,  1,  0, ''),
  ('W-TG-5', 'E450', 1,  7,   0,  1,    0, 0,  0,       0,  0,  1,  1, 'Нижний угол'),
  ('W-TG-5', 'E450', 1,  7,   0,  2,    0, 0,  0,       0,  0,  1,  2, 'Верхний угол'),
  ('W-TG-5', 'E455', 1,  0,   0,  0,    0, 0,  2,       0,  35, 1,  2, ''),
  ('W-TG-6', 'E115', 1,  4,   2,  0,    1, 2,  0,       0,  0,  1,  2, ''),
  ('W-TG-6', 'E160', 1,  0,   0,  0,    0, 0,  0,       0,  0,  1,  1, ''),
  ('W-TG-6', 'E165', 1,  0,   0,  0,    0, 0,  0,       0,  0,  1,  1, ''),
  ('W-TG-6', 'E198', 1,  0,   0,  0,    0, 0,  0,       0,  0,  1,  0, ''),
  ('W-TG-6', 'E450', 1,  7,   0,  2,    0, 0,  0,       0,  0,  1,  2, 'Верхний угол'),
  ('W-TG-6', 'E450', 1,  7,   0,  3,    0, 0,  0,       0,  0,  1,  3, 'Нижний угол'),
  ('W-TG-6', 'E455', 1,  0,   0,  0,    0, 0,  2,       0,  35, 1,  2, '');

-- ===== H-W: window handle (kit slot 1) =====
-- The handle's own option chooses between the plain handle and the one with a key.
INSERT INTO FrnSet (ID, Item, PropKey, Number, Required, ItemSideNo, Note) VALUES
  ('H-W', 'E610', 31, 1, 1, 0, ''),
  ('H-W', 'E615', 32, 1, 1, 0, 'Ручка с ключом');

-- ===== X-LIM: additional kit, opening restrictor at the top =====
INSERT INTO FrnSet (ID, Item, Number, Required, ItemSideNo) VALUES
  ('X-LIM', 'E760', 1, 1, 2);
