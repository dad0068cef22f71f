// IDocumentVersion: tells an in-process caller whether the document changed since it last looked, so
// that text written from an unchanged document need not be written again. IDocumentChanges tells it
// also which elements changed, so that of a text written before only their tags need writing again.
// The engine's document object answers both; a caller hosting any other engine does without.
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

MIDL_INTERFACE("dd33bdbd-9375-4a03-9ef7-15778ed92f73")
IDocumentChanges : public IDocumentVersion {
  // The content version with the two it is made of: the tree's and the form state's.
  virtual HRESULT STDMETHODCALLTYPE GetVersions(ULONGLONG * content, ULONGLONG * tree, ULONGLONG * formState) = 0;
  // Since the document was at these versions (as GetVersions gave them), nothing but elements'
  // attributes changed: S_OK, with the source indexes of those elements, ascending and each once, at
  // most `capacity` of them. S_FALSE when anything else changed (a text, the tree, the form state,
  // the page), when more elements changed, or when that is no longer known.
  virtual HRESULT STDMETHODCALLTYPE GetElementsChangedSince(ULONGLONG content, ULONGLONG tree, ULONGLONG formState,
                                                            UINT capacity, LONG * sourceIndexes, UINT * count) = 0;
};

__CRT_UUID_DECL(IDocumentChanges, 0xdd33bdbd, 0x9375, 0x4a03, 0x9e, 0xf7, 0x15, 0x77, 0x8e, 0xd9, 0x2f, 0x73)
