// What the sheet asks of every row it can apply: write the edited value, put back the value found, or
// open the row's dialog.
#pragma once

class CApplyableProperty {
 public:
  virtual ~CApplyableProperty() = default;
  // Writes the row's value to the document; 1 on success (also when there was nothing to write).
  virtual int Apply() = 0;
  // Puts back what the document held before this sheet wrote; 1 on success.
  virtual int Restore() = 0;
  // Opens the row's dialog; 1 when the value changed.
  virtual int Edit() = 0;
};
