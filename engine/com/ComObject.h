// The COM plumbing every engine object shares: live-object accounting, and the toolkit's reference
// counting and QueryInterface table.
#pragma once

#include <windows.h>
#include <unknwn.h>

#include "comkit/ComRef.h"
#include "comkit/InterfaceTable.h"

namespace vellum::engine::com {

// Objects of this DLL now alive (DllCanUnloadNow and the tests' leak checks read it).
void ObjectCreated();
void ObjectDestroyed();
LONG LiveObjects();

// Counts itself in the live objects for its whole life.
class CLiveObject {
 protected:
  CLiveObject() { ObjectCreated(); }
  CLiveObject(const CLiveObject&) { ObjectCreated(); }
  ~CLiveObject() { ObjectDestroyed(); }
};

// The interface tables of the shared COM toolkit.
using comkit::QueryInterfaceOf;
using comkit::Via;

}  // namespace vellum::engine::com

#define ENGINE_IUNKNOWN_METHODS COMKIT_IUNKNOWN_METHODS
