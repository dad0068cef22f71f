// IDocumentVersion: tells an in-process caller whether the document changed since it last looked, so
// that text written from an unchanged document need not be written again. The engine's document
// object answers it; a caller hosting any other engine does without.
#pragma once

#include <windows.h>
#include <unknwn.h>

MIDL_INTERFACE("97b182fd-d699-492a-a35f-765b96113f9b")
IDocumentVersion : public IUnknown {
  // A number that changes whenever anything the document would be written out as changes: its nodes,
  // attributes, styles and texts, the state of its form controls, or the page itself (a load or
  // InitNew). Equal numbers from one document mean the same content.
  virtual HRESULT STDMETHODCALLTYPE GetContentVersion(ULONGLONG * version) = 0;
};

__CRT_UUID_DECL(IDocumentVersion, 0x97b182fd, 0xd699, 0x492a, 0xa3, 0x5f, 0x76, 0x5b, 0x96, 0x11, 0x3f, 0x9b)
