// Editing cached datasets: row order, net changes, required fields and their
// error events, settling before moves, closing.

#include "data/DatabaseError.h"
#include "data/FormatSettings.h"
#include "tests/fixtures/DataSetRig.h"
#include "tests/fixtures/ErrorText.h"

#include <gtest/gtest.h>

namespace {

TField& field(TClientDataSet& ds, const char* name) { return ds.FieldByName(QString::fromLatin1(name)); }

std::vector<int> ids(TClientDataSet& ds) {
    std::vector<int> out;
    for (int i = 0; i < ds.RecordCount(); ++i)
        out.push_back(int(ds.valueAt(i, field(ds, "AJCI_ID")).isNull() ? -1 : ds.valueAt(i, field(ds, "AJCI_ID")).get<qint64>()));
    return out;
}

class Editing : public ::testing::Test {
protected:
    void SetUp() override {
        FormatSettings::setCurrent(FormatSettings{});
        for (int id = 1; id <= 3; ++id)
            rig.addAdjustment(id, QDate(2026, 5, 23), Currency::fromInteger(id == 1 ? 0 : id == 2 ? 5 : 19),
                              Currency::fromUnits(8000));
        ds.Open();
    }
    void insertRow(int id) {
        ds.Insert();
        field(ds, "AJCI_ID").setAsInteger(id);
        ds.Post();
    }
    DataSetRig rig;
    TClientDataSet& ds = rig.adjustments();
};

TEST_F(Editing, NewRowsGoBeforeTheCurrentRowAndStayCurrent) {
    ds.Next(); // on id 2
    insertRow(10);
    EXPECT_EQ(ids(ds), (std::vector<int>{1, 10, 2, 3}));
    EXPECT_EQ(field(ds, "AJCI_ID").AsInteger(), 10);
    insertRow(11);
    insertRow(12);
    // Each insertion lands before the previous one: the reverse of the order made.
    EXPECT_EQ(ids(ds), (std::vector<int>{1, 12, 11, 10, 2, 3}));
    ds.Append();
    field(ds, "AJCI_ID").setAsInteger(13);
    ds.Post();
    EXPECT_EQ(ids(ds).back(), 13);

    // The only row of an empty view.
    ds.setFilter(QStringLiteral("AJCI_FECINI = '2030/01/01'"));
    ds.setFiltered(true);
    ASSERT_TRUE(ds.IsEmpty());
    ds.Insert();
    EXPECT_EQ(ds.RecordCount(), 1);
    EXPECT_EQ(ds.RecNo(), 0);
}

TEST_F(Editing, TheChangeLogHoldsOneNetChangePerRow) {
    // Inserted, then changed: one insertion with the latest values.
    insertRow(20);
    ds.Edit();
    field(ds, "AJCI_FACTOR").setAsCurrency(Currency::fromUnits(7500));
    ds.Post();
    // Inserted, then deleted: nothing.
    insertRow(21);
    ds.Delete();
    // A fetched row changed twice: one modification from its old values.
    ASSERT_TRUE(ds.Locate(QStringLiteral("AJCI_ID"), Value(2)));
    ds.Edit();
    field(ds, "AJCI_FACTOR").setAsCurrency(Currency::fromUnits(7000));
    ds.Post();
    ds.Edit();
    field(ds, "AJCI_FACTOR").setAsCurrency(Currency::fromUnits(6000));
    ds.Post();
    // A fetched row deleted: one deletion with its old values.
    ASSERT_TRUE(ds.Locate(QStringLiteral("AJCI_ID"), Value(3)));
    ds.Delete();

    EXPECT_EQ(ds.ChangeCount(), 3);
    const UpdateBatch batch = ds.changeBatch();
    ASSERT_EQ(batch.entries.size(), 3u);
    ASSERT_EQ(batch.layout.columnCount(), 6);

    const UpdateEntry& inserted = batch.entries[0];
    EXPECT_EQ(inserted.kind, UpdateKind::ukInsert);
    EXPECT_EQ(inserted.newValues[0], Value(qint64(20)));
    EXPECT_EQ(inserted.newValues[4], Value(Currency::fromUnits(7500)));
    EXPECT_TRUE(inserted.newValues[5].isUnset()); // never set differs from null

    const UpdateEntry& modified = batch.entries[1];
    EXPECT_EQ(modified.kind, UpdateKind::ukModify);
    EXPECT_EQ(modified.oldValues[4], Value(Currency::fromUnits(8000)));
    EXPECT_EQ(modified.newValues[4], Value(Currency::fromUnits(6000)));
    EXPECT_TRUE(modified.newValues[0].isUnset()); // unchanged
    EXPECT_TRUE(modified.oldValues[5].isNull());

    const UpdateEntry& deleted = batch.entries[2];
    EXPECT_EQ(deleted.kind, UpdateKind::ukDelete);
    EXPECT_EQ(deleted.oldValues[0], Value(qint64(3)));
    EXPECT_EQ(ids(ds), (std::vector<int>{20, 1, 2}));
}

TEST_F(Editing, NullAndUnsetStayApart) {
    ds.Insert();
    field(ds, "AJCI_ID").setAsInteger(30);
    field(ds, "AJCI_PREFNO").Clear();
    ds.Post();
    const UpdateBatch batch = ds.changeBatch();
    ASSERT_EQ(batch.entries.size(), 1u);
    EXPECT_TRUE(batch.entries[0].newValues[5].isNull());
    EXPECT_FALSE(batch.entries[0].newValues[5].isUnset());
    EXPECT_TRUE(batch.entries[0].newValues[1].isUnset());
    EXPECT_TRUE(field(ds, "AJCI_FECINI").IsNull());
}

TEST_F(Editing, AMissingRequiredValueReachesThePostErrorEvent) {
    std::vector<QString> seen;
    TDataAction answer = TDataAction::daAbort;
    ds.OnPostError = [&](TClientDataSet& sender, const EDatabaseError& e, TDataAction& action) {
        EXPECT_EQ(&sender, &ds);
        EXPECT_EQ(action, TDataAction::daFail);
        seen.push_back(e.message());
        action = answer;
        if (answer == TDataAction::daRetry)
            field(ds, "AJCI_ID").setAsInteger(0), answer = TDataAction::daAbort;
    };
    ds.Insert();
    field(ds, "AJCI_FACTOR").setAsString(QStringLiteral("0.8"));
    EXPECT_THROW(ds.Post(), EAbort);
    ASSERT_EQ(seen.size(), 1u);
    EXPECT_EQ(seen[0], QStringLiteral("Field 'AJCI_ID' must have a value"));
    // After the silent abort the row is still being inserted, with what was typed.
    EXPECT_EQ(ds.State(), TDataSetState::dsInsert);
    EXPECT_EQ(field(ds, "AJCI_FACTOR").AsCurrency(), Currency::fromUnits(8000));

    // A move settles the row first, so it fails the same way and stays put.
    EXPECT_THROW(ds.Next(), EAbort);
    EXPECT_EQ(ds.State(), TDataSetState::dsInsert);

    answer = TDataAction::daFail;
    EXPECT_EQ(errorOf([&] { ds.Post(); }), QStringLiteral("Field 'AJCI_ID' must have a value"));
    answer = TDataAction::daRetry; // the handler fills the key and the post runs again
    ds.Post();
    EXPECT_EQ(ds.State(), TDataSetState::dsBrowse);
    EXPECT_EQ(ds.ChangeCount(), 1);
}

TEST_F(Editing, WritingOutsideEditOrInsertFailsAndMovesSettleTheRow) {
    EXPECT_EQ(errorOf([&] { field(ds, "AJCI_FACTOR").setAsCurrency(Currency{}); }),
              QStringLiteral("Dataset not in edit or insert mode"));
    ds.Edit();
    field(ds, "AJCI_FACTOR").setAsCurrency(Currency::fromUnits(5000));
    ds.Next(); // posts the changed row
    EXPECT_EQ(ds.ChangeCount(), 1);
    ds.Insert(); // untouched: abandoned by the next move
    EXPECT_EQ(ds.RecordCount(), 4);
    ds.Prior();
    EXPECT_EQ(ds.RecordCount(), 3);
    EXPECT_EQ(ds.State(), TDataSetState::dsBrowse);

    ds.Edit();
    field(ds, "AJCI_PORC").setAsCurrency(Currency::fromInteger(99));
    ds.Cancel(); // the edited row gets its values back
    EXPECT_EQ(field(ds, "AJCI_PORC").AsCurrency(), Currency::fromInteger(0));
}

TEST_F(Editing, DeletingMovesToTheNextRowOrBackFromTheLast) {
    ds.Last();
    ds.Delete();
    EXPECT_EQ(field(ds, "AJCI_ID").AsInteger(), 2);
    EXPECT_FALSE(ds.Eof());
    ds.First();
    ds.Delete();
    EXPECT_EQ(field(ds, "AJCI_ID").AsInteger(), 2);
    while (!ds.Eof())
        ds.Delete();
    EXPECT_TRUE(ds.IsEmpty());
    EXPECT_EQ(errorOf([&] { ds.Delete(); }), QStringLiteral("Cannot perform this operation on an empty dataset"));
    EXPECT_EQ(ds.ChangeCount(), 3);
}

TEST_F(Editing, ClosingDiscardsEverythingAndClosedDatasetsRefuseWork) {
    insertRow(40);
    ds.First();
    ds.Delete();
    ds.Edit();
    field(ds, "AJCI_FACTOR").setAsCurrency(Currency{});
    ds.Close();
    EXPECT_EQ(errorOf([&] { ds.Next(); }), QStringLiteral("Cannot perform this operation on a closed dataset"));
    EXPECT_EQ(errorOf([&] { ds.Insert(); }), QStringLiteral("Cannot perform this operation on a closed dataset"));
    ds.Open();
    EXPECT_EQ(ds.ChangeCount(), 0);
    EXPECT_EQ(ids(ds), (std::vector<int>{1, 2, 3}));
    EXPECT_EQ(rig.countAdjustments(), 3);
}

TEST_F(Editing, AcceptedChangesBecomeTheRowsOwnAndOthersStayPending) {
    insertRow(50);
    ASSERT_TRUE(ds.Locate(QStringLiteral("AJCI_ID"), Value(1)));
    ds.Delete();
    ASSERT_TRUE(ds.Locate(QStringLiteral("AJCI_ID"), Value(2)));
    ds.Edit();
    field(ds, "AJCI_PREFNO").setAsString(QStringLiteral("ABCDEF"));
    ds.Post();
    EXPECT_EQ(field(ds, "AJCI_PREFNO").AsString(), QStringLiteral("ABCD"));

    const UpdateBatch batch = ds.changeBatch();
    ASSERT_EQ(batch.entries.size(), 3u);
    ds.acceptChanges({batch.entries[0].rowId, batch.entries[1].rowId}); // the insertion and the deletion
    EXPECT_EQ(ds.ChangeCount(), 1);
    EXPECT_EQ(ids(ds), (std::vector<int>{50, 2, 3}));
    const UpdateBatch rest = ds.changeBatch();
    ASSERT_EQ(rest.entries.size(), 1u);
    EXPECT_EQ(rest.entries[0].kind, UpdateKind::ukModify);
    EXPECT_EQ(rest.entries[0].newValues[5], Value(QStringLiteral("ABCD")));

    // The accepted insertion is now an ordinary row: changing it is a modification.
    ASSERT_TRUE(ds.Locate(QStringLiteral("AJCI_ID"), Value(50)));
    ds.Edit();
    field(ds, "AJCI_FACTOR").setAsCurrency(Currency::fromUnits(1));
    ds.Post();
    const UpdateBatch after = ds.changeBatch();
    ASSERT_EQ(after.entries.size(), 2u);
    EXPECT_EQ(after.entries[1].kind, UpdateKind::ukModify);
    EXPECT_EQ(after.entries[1].oldValues[0], Value(qint64(50)));
    EXPECT_TRUE(after.entries[1].oldValues[4].isNull()); // it was written without a factor
}

} // namespace
