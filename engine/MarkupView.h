// IMarkupView: the engine's reading interface for in-process callers that write a document out as
// markup. Every string the standard object model reports is a fresh BSTR the caller must free; writing
// a form of ten thousand elements reads some ninety thousand of them. The engine's node objects lend the
// same texts instead, in place, for the caller to copy out at once.
//
// A lent text is valid while the caller holds the node object and nothing changes the document; it is
// not null-terminated. The texts are exactly what the standard properties named below report. A method
// answers S_FALSE (lending nothing) where the engine keeps no such text in place; the caller then asks
// the standard property.
#pragma once

#include <windows.h>
#include <unknwn.h>

MIDL_INTERFACE("40ba37f6-8210-41fe-95e8-2c78253cbf8f")
IMarkupView : public IUnknown {
  // IHTMLDOMNode::get_nodeName (an element's tag name in upper case).
  virtual HRESULT STDMETHODCALLTYPE LendNodeName(const wchar_t** text, UINT* length) = 0;
  // IHTMLDOMNode::get_nodeValue of a text node or comment. S_FALSE for any other node.
  virtual HRESULT STDMETHODCALLTYPE LendNodeValue(const wchar_t** text, UINT* length) = 0;
  // IHTMLAttributeCollection::get_length of an element's attributes (0 for any other node).
  virtual HRESULT STDMETHODCALLTYPE GetAttributeCount(UINT * count) = 0;
  // The attribute at index in the collection's order: its nodeName and its nodeValue as text. Every
  // attribute in the collection is specified. E_INVALIDARG past the end.
  virtual HRESULT STDMETHODCALLTYPE LendAttribute(UINT index, const wchar_t** name, UINT* nameLength,
                                                  const wchar_t** value, UINT* valueLength) = 0;
  // IHTMLStyle::get_cssText of an element's inline style (empty for any other node).
  virtual HRESULT STDMETHODCALLTYPE LendStyleText(const wchar_t** text, UINT* length) = 0;
};

__CRT_UUID_DECL(IMarkupView, 0x40ba37f6, 0x8210, 0x41fe, 0x95, 0xe8, 0x2c, 0x78, 0x25, 0x3c, 0xbf, 0x8f)
