// record_clipboard_test.cpp — row snapshots and copying/pasting rows of a table object.
#include <gtest/gtest.h>

#include "catalog/record_clipboard.h"
#include "common/error.h"
#include "support/catalog_fixture.h"

using namespace qx;

namespace {

const char* const kRules = R"(
INSERT INTO FrnSet (ID, Item, Number, Note) VALUES ('K1', 'I1', 1, 'первый'), ('K1', 'I2', 2, NULL), ('K2', 'I1', 3, 'третий');
INSERT INTO COLORSET (Color, Name) VALUES ('C1', 'Белый'), ('C2', 'Серый');
)";

QString fieldsOf(const TRec& rec) {
    QStringList out;
    for (const TRecField& f : rec.Fields())
        out << f.FieldName + "=" + (f.Value.isNull() ? QStringLiteral("null") : f.Value.toString());
    return out.join(' ');
}

class RecordClipboard : public ::testing::Test {
  protected:
    void TearDown() override { RecClipBoard().Clear(); }
    CatalogFixture catalog_{QString::fromUtf8(kRules)};
    CatalogTable& set_ = catalog_.dm().T_FrnSet;
};

}  // namespace

TEST_F(RecordClipboard, SnapshotsTakeAllListedOrNotExcludedFields) {
    set_.SetCurrent(1);
    EXPECT_EQ(fieldsOf(TRec(&set_, false, QStringList{"Note", "Nope", "id", "Number"})),
              QStringLiteral("Note=null ID=K1 Number=2"));
    const TRec all(&set_, false, std::nullopt);
    EXPECT_EQ(all.Count(), set_.ColumnCount());
    EXPECT_EQ(all.DataSet(), &set_);
    // Exclusion compares names exactly: "note" does not exclude "Note".
    const TRec excluded(&set_, true, QStringList{"Note", "Key", "number"});
    EXPECT_EQ(excluded.Count(), set_.ColumnCount() - 2);
    EXPECT_TRUE(fieldsOf(excluded).contains("Number=2"));
    EXPECT_FALSE(fieldsOf(excluded).contains("Note="));
    // Nothing to take: no dataset, or no rows.
    EXPECT_EQ(TRec(nullptr, false, std::nullopt).DataSet(), nullptr);
    const TRec empty(&catalog_.dm().T_FrnArt, false, std::nullopt);
    EXPECT_EQ(empty.Count(), 0);
    EXPECT_EQ(empty.DataSet(), nullptr);
    // A snapshot goes back only into its own dataset.
    EXPECT_FALSE(all.AssignToDataSet(&catalog_.dm().T_FrnArt));
}

TEST_F(RecordClipboard, OneRowIsPastedAsAnEditThatIsNotPosted) {
    set_.SetCurrent(0);
    CopyRecords(&set_, QStringList{"Number", "Note"}, false);
    ASSERT_EQ(RecClipBoard().Count(), 1);
    set_.SetCurrent(2);
    PasteRecords(&set_);
    EXPECT_EQ(set_.State(), DataSetState::Edit);
    EXPECT_EQ(set_.FieldValue("Note").toString(), QStringLiteral("первый"));
    EXPECT_EQ(set_.FieldValue("ID").toString(), QStringLiteral("K2"));
    EXPECT_EQ(set_.Text(2, "Note"), QStringLiteral("третий"));  // not written yet
    set_.Post();
    EXPECT_EQ(set_.Int(2, "Number"), 1);
    EXPECT_EQ(set_.Text(2, "Note"), QStringLiteral("первый"));
    EXPECT_EQ(set_.RowCount(), 3);
    // A grid with exactly one selected row copies the current row, not the selected one.
    std::vector<int> selection = {0};
    set_.SetCurrent(1);
    CopyRecords(&set_, std::nullopt, false, &selection);
    ASSERT_EQ(RecClipBoard().Count(), 1);
    EXPECT_TRUE(fieldsOf(RecClipBoard().Records()[0]).contains("Item=I2"));
    EXPECT_EQ(selection.size(), 1u);
}

TEST_F(RecordClipboard, SeveralRowsAreInsertedAndPostedWithNumbersOfTheirOwn) {
    std::vector<int> selection = {2, 0};
    set_.SetCurrent(1);
    CopyRecords(&set_, QStringList{"Note"}, true, &selection);
    ASSERT_EQ(RecClipBoard().Count(), 2);
    EXPECT_TRUE(selection.empty());
    EXPECT_EQ(set_.Current(), 1);
    EXPECT_TRUE(fieldsOf(RecClipBoard().Records()[0]).startsWith("ID=K2 Item=I1"));  // selection order
    PasteRecords(&set_);
    EXPECT_EQ(set_.State(), DataSetState::Browse);
    ASSERT_EQ(set_.RowCount(), 5);
    QStringList rows;
    for (int r = 0; r < set_.RowCount(); ++r)
        rows << set_.Text(r, "ID") + "/" + set_.Text(r, "Item") + "/" + set_.Text(r, "Key") + "/" +
                    set_.Text(r, "Note");
    EXPECT_EQ(rows.join(' '), QStringLiteral("K1/I1/1/первый K1/I1/5/ K1/I2/2/ K2/I1/3/третий K2/I1/4/"));
    // The rows are in the database, not only in memory.
    set_.Refresh();
    EXPECT_EQ(set_.RowCount(), 5);
}

TEST_F(RecordClipboard, PreconditionsAndDatasetErrors) {
    CatalogTable& colors = catalog_.dm().T_Color;
    CopyRecords(&colors, std::nullopt, false);
    // Another dataset, or an empty one to copy from: nothing changes.
    PasteRecords(&set_);
    EXPECT_EQ(set_.State(), DataSetState::Browse);
    CopyRecords(&catalog_.dm().T_FrnArt, std::nullopt, false);
    EXPECT_EQ(RecClipBoard().DataSet(), &colors);
    // Pasting copies of keyed rows as new rows violates the key; the error reaches the caller.
    std::vector<int> selection = {0, 1};
    CopyRecords(&colors, std::nullopt, false, &selection);
    EXPECT_THROW(PasteRecords(&colors), TqxfError);
    EXPECT_EQ(colors.State(), DataSetState::Insert);
    colors.Cancel();
    EXPECT_EQ(colors.RowCount(), 2);
    RecClipBoard().Clear();
    EXPECT_EQ(RecClipBoard().Count(), 0);
    EXPECT_EQ(RecClipBoard().DataSet(), nullptr);
}
