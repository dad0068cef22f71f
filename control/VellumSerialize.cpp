// The document as the HTML text the host receives.
#include "control/Vellum.h"

// The HTML writer is not written yet: serialising reports failure.
bool CVellum::SerializeDocument(CXString& text) {
  text.Empty();
  return false;
}
