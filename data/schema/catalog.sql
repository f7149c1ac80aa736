-- catalog.sql — the hardware catalog database (catalog.sqlite in the catalog directory).
-- Tables keep the stems, column names and letter case of the supplier's tables.
-- Types: texts TEXT, integers INTEGER, decimal and money columns REAL, dates TEXT 'YYYY-MM-DD'.
-- "INTEGER AUTOINC" marks an engine-numbered column: a row inserted without a value gets the
-- next number from its trigger; the program treats the column as read-only in copied records.
-- An empty (NULL) column reads as 0 or the empty text.

-- Hardware kits.
CREATE TABLE "FrnComp" (
  "ID" TEXT,
  "Group" INTEGER,
  "SubGroup" INTEGER,
  "Kipp" INTEGER,
  "Name" TEXT,
  "SymmetricID" TEXT,
  "MultiSysID" TEXT,
  "Image" INTEGER,
  "MaxWeight" INTEGER,
  "ScrColor" INTEGER,
  "TFlugelAvailable" INTEGER,
  "Use" INTEGER,
  "CommonGrp" INTEGER,
  "Direct" INTEGER,
  "HingeT" TEXT,
  "HingeB" TEXT,
  "HingeC" TEXT,
  "Note" TEXT,
  "Printable" INTEGER,
  "PrintName" TEXT,
  "Alert" TEXT,
  "PropKey" INTEGER,
  "DispHingeNum" INTEGER,
  "CompectImage" INTEGER,
  "Material" INTEGER,
  PRIMARY KEY ("ID")
);

-- Set rules of kits: one row per element with its fitting conditions.
CREATE TABLE "FrnSet" (
  "ID" TEXT,
  "Item" TEXT,
  "Key" INTEGER AUTOINC,
  "PropKey" INTEGER,
  "Number" INTEGER,
  "Side1No" INTEGER,
  "Side2No" INTEGER,
  "AngleNo" INTEGER,
  "FFBMin" INTEGER,
  "FFBMax" INTEGER,
  "FFHMin" INTEGER,
  "FFHMax" INTEGER,
  "FFL1No" INTEGER,
  "FFL1Min" INTEGER,
  "FFL1Max" INTEGER,
  "FFL2No" INTEGER,
  "FFL2Min" INTEGER,
  "FFL2Max" INTEGER,
  "FFL21No" INTEGER,
  "FFL21Min" INTEGER,
  "FFL21Max" INTEGER,
  "FFL22No" INTEGER,
  "FFL22Min" INTEGER,
  "FFL22Max" INTEGER,
  "FFANo" INTEGER,
  "FFAMin" REAL,
  "FFAMax" REAL,
  "FFR1No" INTEGER,
  "FFR1Min" INTEGER,
  "FFR1Max" INTEGER,
  "FFR1Type" INTEGER,
  "FFR2No" INTEGER,
  "FFR2Min" INTEGER,
  "FFR2Max" INTEGER,
  "FFR2Type" INTEGER,
  "Condition" INTEGER,
  "ScaleCondition" INTEGER,
  "ScaleStep" INTEGER,
  "ScaleStart" INTEGER,
  "ScaleNum" INTEGER,
  "ScaleScheme" TEXT,
  "ColorCondition" INTEGER,
  "DefineHandleHeight" INTEGER,
  "HandleSideNo" INTEGER,
  "StulpType" INTEGER,
  "Required" INTEGER,
  "UseLen" INTEGER,
  "LenFormula" TEXT,
  "Note" TEXT,
  "AlertIfNoArt" TEXT,
  "AlertIfIgnore" TEXT,
  "MinLen" INTEGER,
  "UseIfArt" TEXT,
  "ItemSideNo" INTEGER,
  PRIMARY KEY ("ID", "Item", "Key")
);
CREATE TRIGGER "FrnSet_Key" AFTER INSERT ON "FrnSet" WHEN NEW."Key" IS NULL
BEGIN
  UPDATE "FrnSet" SET "Key" = (SELECT COALESCE(MAX("Key"), 0) + 1 FROM "FrnSet") WHERE rowid = NEW.rowid;
END;

-- Hardware elements.
CREATE TABLE "FrnItem" (
  "ID" TEXT,
  "Name" TEXT,
  "HasDornMass" INTEGER,
  "HasProfSys" INTEGER,
  "CheckWeight" INTEGER,
  "HasColor" INTEGER,
  "HasFalzLuft" INTEGER,
  "HasFalzSize" INTEGER,
  "HasFalzPos" INTEGER,
  "CheckThickness" INTEGER,
  "CheckProfWidth" INTEGER,
  "CheckStulpType" INTEGER,
  "CheckDirect" INTEGER,
  "Virtual" INTEGER,
  "CommonGrp" INTEGER
);
CREATE INDEX "FrnItem_ID" ON "FrnItem" ("ID");

-- Catalog articles realising an element, each with its own ranges.
CREATE TABLE "FrnArt" (
  "ID" TEXT,
  "CatalogID" TEXT,
  "Key" INTEGER AUTOINC,
  "FalzLuft" INTEGER,
  "FalzSize" INTEGER,
  "FalzPos" INTEGER,
  "DornMassMin" REAL,
  "DornMassMax" REAL,
  "HandleMin" INTEGER,
  "HandleMax" INTEGER,
  "HandleHeight" INTEGER,
  "WeightMin" REAL,
  "WeightMax" REAL,
  "ThicknessMin" INTEGER,
  "ThicknessMax" INTEGER,
  "ProfWidthMin" INTEGER,
  "ProfWidthMax" INTEGER,
  "ProfSys" TEXT,
  "FFBMin" INTEGER,
  "FFBMax" INTEGER,
  "FFHMin" INTEGER,
  "FFHMax" INTEGER,
  "FFL1Min" INTEGER,
  "FFL1Max" INTEGER,
  "FFL2Min" INTEGER,
  "FFL2Max" INTEGER,
  "FFAMin" REAL,
  "FFAMax" REAL,
  "FFR1Min" INTEGER,
  "FFR1Max" INTEGER,
  "FFR2Min" INTEGER,
  "FFR2Max" INTEGER,
  "Color" TEXT,
  "StulpType" INTEGER,
  "Direct" INTEGER,
  PRIMARY KEY ("ID", "CatalogID", "Key")
);
CREATE TRIGGER "FrnArt_Key" AFTER INSERT ON "FrnArt" WHEN NEW."Key" IS NULL
BEGIN
  UPDATE "FrnArt" SET "Key" = (SELECT COALESCE(MAX("Key"), 0) + 1 FROM "FrnArt") WHERE rowid = NEW.rowid;
END;

-- Composition of composite elements.
CREATE TABLE "FrnItoI" (
  "ID" TEXT,
  "Item" TEXT,
  "PropKey" INTEGER,
  "Number" INTEGER,
  "StulpType" INTEGER,
  "ColorCondition" INTEGER,
  "Required" INTEGER,
  "AlertIfNoArt" TEXT,
  "AlertIfIgnore" TEXT,
  "Note" TEXT,
  "ItemSideNo" INTEGER
);
CREATE INDEX "FrnItoI_ID" ON "FrnItoI" ("ID");

-- Keepers of an article.
CREATE TABLE "FrnSchl" (
  "CatalogID" TEXT,
  "Item" TEXT,
  "Key" INTEGER AUTOINC,
  "Number" INTEGER,
  "StulpType" INTEGER,
  "PropKey" INTEGER,
  "ItemSideNo" INTEGER,
  "ItemComplectID" TEXT
);
CREATE INDEX "FrnSchl_CatalogID" ON "FrnSchl" ("CatalogID");
CREATE TRIGGER "FrnSchl_Key" AFTER INSERT ON "FrnSchl" WHEN NEW."Key" IS NULL
BEGIN
  UPDATE "FrnSchl" SET "Key" = (SELECT COALESCE(MAX("Key"), 0) + 1 FROM "FrnSchl") WHERE rowid = NEW.rowid;
END;

-- Covers of an article by colour.
CREATE TABLE "FrnAbd" (
  "CatalogID" TEXT,
  "Color" TEXT,
  "AccessoryID" TEXT,
  "Number" INTEGER,
  "ItemSideNo" INTEGER,
  "ItemComplectID" TEXT
);
CREATE INDEX "FrnAbd_CatalogID" ON "FrnAbd" ("CatalogID");

-- Accessories of an article.
CREATE TABLE "FrnDop" (
  "CatalogID" TEXT,
  "AccessoryID" TEXT,
  "Key" INTEGER AUTOINC,
  "Number" INTEGER,
  "PropKey" INTEGER,
  "StulpType" INTEGER,
  "ItemSideNo" INTEGER,
  "ItemComplectID" TEXT
);
CREATE INDEX "FrnDop_CatalogID" ON "FrnDop" ("CatalogID");
CREATE TRIGGER "FrnDop_Key" AFTER INSERT ON "FrnDop" WHEN NEW."Key" IS NULL
BEGIN
  UPDATE "FrnDop" SET "Key" = (SELECT COALESCE(MAX("Key"), 0) + 1 FROM "FrnDop") WHERE rowid = NEW.rowid;
END;

-- Property sets: the property values (SysProp.ID) a set admits.
CREATE TABLE "FrnProp" (
  "PropKey" INTEGER,
  "ID" INTEGER,
  "Default" INTEGER
);
CREATE INDEX "FrnProp_PropKey" ON "FrnProp" ("PropKey", "ID");

-- Limits of each side of a kit.
CREATE TABLE "FrnSide" (
  "ID" TEXT,
  "Side" INTEGER,
  "MinSize" INTEGER,
  "MaxSize" INTEGER,
  "MinAngle" REAL,
  "MaxAngle" REAL,
  "MinRadius" INTEGER,
  "MaxRadius" INTEGER,
  "FullRadius" INTEGER,
  "HalfRadius" INTEGER,
  "EllipseRadius" INTEGER,
  "OpenMode" INTEGER,
  "RotSide" INTEGER,
  "Handled" INTEGER,
  "Banded" INTEGER,
  "Drived" INTEGER,
  "HandleDirect" INTEGER,
  PRIMARY KEY ("ID", "Side")
);

-- Articles.
CREATE TABLE "Catalog" (
  "ID" TEXT,
  "Group" INTEGER,
  "System" TEXT,
  "FrontColor" TEXT,
  "Article" TEXT,
  "ProdArticle" TEXT,
  "ProdArticle2" TEXT,
  "ProdArticle3" TEXT,
  "UseArticle" INTEGER,
  "GOST" TEXT,
  "Name" TEXT,
  "ShortName" TEXT,
  "Unit" TEXT,
  "AltUnit_1" TEXT,
  "AltUnit_2" TEXT,
  "Coef" REAL,
  "AltCoef_1" REAL,
  "AltCoef_2" REAL,
  "Integer" INTEGER,
  "AltInteger_1" INTEGER,
  "AltInteger_2" INTEGER,
  "RoundedTotal" INTEGER,
  "MinLength" INTEGER,
  "MinWidth" INTEGER,
  "MinHeight" INTEGER,
  "MaxLength" INTEGER,
  "MaxWidth" INTEGER,
  "MaxHeight" INTEGER,
  "Thickness" INTEGER,
  "Weight" REAL,
  "Volume" REAL,
  "MinTrade" REAL,
  "CutAvailable" INTEGER,
  "CalcPrinciple" INTEGER,
  "DustGrp" INTEGER,
  "Price" REAL,
  "PriceList" INTEGER,
  "PriceMethod" INTEGER,
  "PriceGrp" INTEGER,
  "CustomGrp" INTEGER,
  "Currency" INTEGER,
  "GetCustom" INTEGER,
  "GetNDS" INTEGER,
  "Use" INTEGER,
  "ScreenColor" INTEGER,
  "CommonUse" INTEGER,
  "Virtual" INTEGER,
  "SizeToSquare" INTEGER,
  "ArcPriceCoef" REAL,
  "NotStdPriceCoef" REAL,
  "CombinePriceCoef" REAL,
  "IncludeToComp" INTEGER,
  "GarantGrp" INTEGER,
  "Laminating" INTEGER,
  "Reserve1" TEXT,
  "Reserve2" TEXT,
  "Mark" TEXT,
  "PrintGroup" TEXT,
  "SingleLam" INTEGER,
  "Export" TEXT,
  "SubSetID" INTEGER,
  "LamSqExt" REAL,
  "LamSqInn" REAL,
  "LamSqFull" REAL,
  "AutoChange" INTEGER,
  "LenToSquare" INTEGER,
  "SinkDeltaW" INTEGER,
  "SinkDeltaL" INTEGER,
  PRIMARY KEY ("ID")
);
CREATE INDEX "Catalog_ProdArtIndex" ON "Catalog" ("ProdArticle" COLLATE NOCASE);
CREATE INDEX "Catalog_ProdArt2Index" ON "Catalog" ("ProdArticle2" COLLATE NOCASE);
CREATE INDEX "Catalog_SysIndex" ON "Catalog" ("System" COLLATE NOCASE);
CREATE INDEX "Catalog_NameIndex" ON "Catalog" ("Name" COLLATE NOCASE);
CREATE INDEX "Catalog_GrpIndex" ON "Catalog" ("Group");
CREATE INDEX "Catalog_ArtIndex" ON "Catalog" ("Article" COLLATE NOCASE);

-- Currencies and their rates.
CREATE TABLE "Currency" (
  "ID" INTEGER,
  "Name" TEXT,
  "Nominative" TEXT,
  "Genitive" TEXT,
  "GenitivePlural" TEXT,
  "Gender" INTEGER,
  "Dec" INTEGER,
  "Value" REAL,
  "DecNominative" TEXT,
  "DecGenitive" TEXT,
  "DecGenitivePlural" TEXT,
  "DecGender" INTEGER
);

-- Price groups: the percentage of each of the ten price-group columns.
CREATE TABLE "PriceGrp" (
  "GroupID" INTEGER,
  "Name" TEXT,
  "Reduce_1" REAL,
  "Reduce_2" REAL,
  "Reduce_3" REAL,
  "Reduce_4" REAL,
  "Reduce_5" REAL,
  "Reduce_6" REAL,
  "Reduce_7" REAL,
  "Reduce_8" REAL,
  "Reduce_9" REAL,
  "Reduce_10" REAL
);

-- Hardware and profile systems.
CREATE TABLE "SysList" (
  "ID" TEXT,
  "Group" INTEGER,
  "Name" TEXT,
  "ShortName" TEXT,
  "Use" INTEGER,
  "CommonGrp" INTEGER,
  "BaseColor" TEXT,
  PRIMARY KEY ("ID")
);

-- Colours available per system.
CREATE TABLE "SysColor" (
  "ID" TEXT,
  "System" TEXT,
  "Article" TEXT,
  PRIMARY KEY ("ID", "System")
);
CREATE INDEX "SysColor_SysIndex" ON "SysColor" ("System", "ID");

-- Property values.
CREATE TABLE "SysProp" (
  "ID" INTEGER,
  "GroupName" TEXT,
  "ValueName" TEXT,
  "Printable" INTEGER,
  "Use" INTEGER,
  "PrintName" TEXT
);

-- Keeper systems.
CREATE TABLE "SysProf" (
  "SchlSysID" TEXT,
  "FurnSysID" TEXT,
  "Name" TEXT
);

-- Colours.
CREATE TABLE "COLORSET" (
  "Color" TEXT,
  "Name" TEXT,
  PRIMARY KEY ("Color")
);

-- Profile materials.
CREATE TABLE "Material" (
  "ID" INTEGER,
  "Name" TEXT
);

-- Parameter lists: rebate types (ID 100-199), backset types (200-299), mullion types (300-399)
-- and sash opening types (400-499).
CREATE TABLE "ParamList" (
  "ID" INTEGER,
  "Group" INTEGER,
  "Name" TEXT,
  "FalzLuft" INTEGER,
  "FalzSize" INTEGER,
  "FalzPos" INTEGER,
  "DornMass" REAL,
  "OpenType" INTEGER,
  "StulpType" INTEGER,
  PRIMARY KEY ("ID")
);
