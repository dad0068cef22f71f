#include "window/WindowThunk.h"

#include <cstring>

namespace {

// x64: mov rcx, object ; mov rax, proc ; jmp rax. The window handle in rcx is replaced by the object.
#pragma pack(push, 1)
struct ThunkCode {
  unsigned short movRcx;  // 48 B9
  void* object;
  unsigned short movRax;  // 48 B8
  void* proc;
  unsigned short jmpRax;  // FF E0
};
#pragma pack(pop)

HANDLE ExecutableHeap() {
  static HANDLE heap = HeapCreate(HEAP_CREATE_ENABLE_EXECUTE, 0, 0);
  return heap;
}

}  // namespace

CWindowThunk::~CWindowThunk() {
  if (code_) HeapFree(ExecutableHeap(), 0, code_);
}

bool CWindowThunk::Init(ObjectProc proc, void* object) {
  if (!code_) {
    HANDLE heap = ExecutableHeap();
    if (!heap) return false;
    code_ = HeapAlloc(heap, 0, sizeof(ThunkCode));
    if (!code_) return false;
  }
  ThunkCode code;
  code.movRcx = 0xB948;
  code.object = object;
  code.movRax = 0xB848;
  code.proc = reinterpret_cast<void*>(proc);
  code.jmpRax = 0xE0FF;
  std::memcpy(code_, &code, sizeof code);
  FlushInstructionCache(GetCurrentProcess(), code_, sizeof code);
  return true;
}
