-- registry.sql — the order registry database (registry.sqlite in the shared data directory).
-- Dates are TEXT 'YYYY-MM-DD'; money is REAL read as the 4-decimal fixed point.

-- Registered orders: one row per order with the file that holds it.
CREATE TABLE "OrderLst" (
  "No" TEXT,
  "RegDate" TEXT,
  "Customer" TEXT,
  "Object" TEXT,
  "Address" TEXT,
  "Phone" TEXT,
  "Cost" REAL,
  "Currency" INTEGER,
  "OrderFile" TEXT,
  "Note" TEXT,
  PRIMARY KEY ("No")
);
CREATE INDEX "OrderLst_Date" ON "OrderLst" ("RegDate");
CREATE INDEX "OrderLst_CustName" ON "OrderLst" ("Customer" COLLATE NOCASE);
CREATE INDEX "OrderLst_ObjName" ON "OrderLst" ("Object" COLLATE NOCASE);
