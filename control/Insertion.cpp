// Element insertion at a rectangle.
#include "control/Vellum.h"
#include "vellum.h"

// The insertion templates are not written yet: nothing is inserted.
int CVellum::InsertElementAt(const RECT&, int) {
  lastError = VLM_ERR_ELEMENT;
  return 0;
}
