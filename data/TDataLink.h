#pragma once
// What a bound control (grid, navigator) hears from its cached dataset.

class TClientDataSet;
class TField;

class TDataLink {
public:
    virtual ~TDataLink() = default;
    // Opened or closed.
    virtual void activeChanged() {}
    // Rows came, went or moved; the current row may be another.
    virtual void dataSetChanged() {}
    // A field of the current row changed (null: the whole row).
    virtual void recordChanged(TField* /*field*/) {}
    // Browse, edit, insert or inactive.
    virtual void stateChanged() {}
    // Fields were bound or unbound.
    virtual void layoutChanged() {}
    // Before the dataset settles or moves: write pending text into the fields.
    virtual void updateData() {}
    // The dataset is being destroyed: let go of it.
    virtual void dataSetDestroyed() {}
};
