#include "evbus.h"

#include <plinthcore.h>

namespace {

class CEvents final : public IEvents {
 public:
  unsigned long AddRef() override { return 2; }
  unsigned long Release() override { return 1; }

  void SetHandler(EventHandler handler, void* context) override {
    handler_ = handler;
    context_ = handler ? context : nullptr;
  }
  EventHandler GetHandler() override { return handler_; }

  int LastCode() override { return code_; }
  const char* LastText() override { return text_.GetString(); }
  void LastNumbers(int* param, int* flags) override {
    if (param) *param = param_;
    if (flags) *flags = flags_;
  }

  void Raise(int code, const char* text, int param, int flags) override {
    code_ = code;
    param_ = param;
    flags_ = flags;
    if (!text_.Assign(text)) text_.Empty();  // without memory the text is lost, never half-written
    if (handler_) handler_(code, text_.GetString(), param, flags, context_);
  }

 private:
  EventHandler handler_ = nullptr;  // the host's callback, or null
  void* context_ = nullptr;         // handed back to the callback
  int code_ = 0;                    // the last event's code
  CXString text_;                   // the last event's text
  int param_ = 0;                   // the last event's third argument
  int flags_ = 0;                   // the last event's fourth argument
};

}  // namespace

extern "C" IEvents* Get_IEvents(void) {
  static CEvents events;
  return &events;
}
