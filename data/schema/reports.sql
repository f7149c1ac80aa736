-- reports.sql — the report list database (reports.sqlite in the report directory).

-- Report templates: "Group" 11 order templates, 12 selection templates; "USE" 1 in use;
-- "Default" 1 the template belongs to the print group; "FileName" with a leading "%" is
-- relative to the report directory.
CREATE TABLE "Report" (
  "Name" TEXT,
  "FileName" TEXT,
  "Default" INTEGER,
  "Copies" INTEGER,
  "Group" INTEGER,
  "USE" INTEGER
);
CREATE INDEX "Report_Group" ON "Report" ("Group");
