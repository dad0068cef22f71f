// The host-events library: one process-wide event channel from components to the host application.
//
// A component raises an event (a code, an 8-bit text and two numbers); the library remembers the last one
// and hands it to the callback the host installed, if any. Without a callback nothing happens, which is
// what a host that shows no messages gets.
#pragma once

#if defined(EVBUS_BUILD)
#define EVBUS_API __declspec(dllexport)
#else
#define EVBUS_API __declspec(dllimport)
#endif

// The host's callback: code, text (valid only during the call), param, flags, the host's context.
typedef void (*EventHandler)(int code, const char* text, int param, int flags, void* context);

// Well-known event codes.
enum : int {
  EVT_INVALID_INPUT = 12,  // a typed property value was rejected; text = the help text of its format
};

// Callers depend on the slot order: raising an event is the eighth virtual slot.
struct IEvents {
  virtual unsigned long AddRef() = 0;                                        // 1
  virtual unsigned long Release() = 0;                                       // 2
  virtual void SetHandler(EventHandler handler, void* context) = 0;          // 3: null removes it
  virtual EventHandler GetHandler() = 0;                                     // 4
  virtual int LastCode() = 0;                                                // 5: 0 before any event
  virtual const char* LastText() = 0;                                        // 6: "" before any event
  virtual void LastNumbers(int* param, int* flags) = 0;                      // 7
  virtual void Raise(int code, const char* text, int param, int flags) = 0;  // 8
};

// The process's event channel (never null; not reference-counted in practice).
extern "C" EVBUS_API IEvents* Get_IEvents(void);
