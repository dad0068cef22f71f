// The rows of the property grid: categories that hold rows while collapsed, and value rows that show a
// VARIANT as text and take new values from the grid, its editors and its actions. The rows that read
// and write a document derive from these (properties/).
#pragma once

#include <windows.h>
#include <oleauto.h>

#include <memory>
#include <string>
#include <vector>

#include "comkit/ComText.h"
#include "propgrid/GridProtocol.h"

class CProperty {
 public:
  explicit CProperty(const wchar_t* name) : name_(name ? name : L"") {}
  CProperty(const CProperty&) = delete;
  CProperty& operator=(const CProperty&) = delete;
  virtual ~CProperty() = default;

  virtual BYTE GetKind() const = 0;
  virtual void SetOwner(HWND grid) { owner_ = grid; }
  virtual void DrawName(HDC dc, const RECT& cell, const PropertyDrawInfo& info);
  virtual void DrawValue(HDC dc, const RECT& cell, const PropertyDrawInfo& info) {}
  // The row's in-place editor over cell, a child of parent; null for a row without one.
  virtual HWND CreateEditor(HWND parent, const RECT& cell) { return nullptr; }
  virtual void OnAction(int action, LPARAM parameter) {}
  // The value as text into buffer (capacity characters with the terminator); 0 when it has none or
  // it does not fit.
  virtual int GetValueText(wchar_t* buffer, int capacity) const { return 0; }
  virtual int GetValueTextLength() const { return 0; }
  virtual int QueryValue(VARIANT* value) const { return 0; }
  virtual int UpdateFromEditor(HWND editor) { return 0; }
  virtual int SetValue(const VARIANT& value) { return 0; }

  // The value text whole, however long.
  std::wstring ValueText() const;

  const std::wstring& Name() const { return name_; }
  HWND Owner() const { return owner_; }
  bool IsEnabled() const { return enabled_; }
  // A disabled row (a locked sheet) creates no editor, takes no value and writes nothing.
  void SetEnabled(bool enabled) { enabled_ = enabled; }

 protected:
  // The cell's background and text colour for this row, selected or not.
  static COLORREF BackgroundOf(const PropertyDrawInfo& info);
  COLORREF TextColourOf(const PropertyDrawInfo& info) const;
  static void DrawCellText(HDC dc, RECT cell, const std::wstring& text, COLORREF colour, COLORREF background);

 private:
  std::wstring name_;
  HWND owner_ = nullptr;
  bool enabled_ = true;
};

// A category: its rows follow it in the grid while it is expanded and are held here while collapsed.
class CCategoryProperty : public CProperty {
 public:
  using CProperty::CProperty;
  BYTE GetKind() const override { return PROP_KIND_CATEGORY; }
  void DrawName(HDC dc, const RECT& cell, const PropertyDrawInfo& info) override;
  void DrawValue(HDC dc, const RECT& cell, const PropertyDrawInfo& info) override;
  void OnAction(int action, LPARAM parameter) override;

  bool IsExpanded() const { return expanded_; }
  // The category at grid row index: its held rows go in after it, in order.
  int Expand(int row);
  // Takes the rows between the category at row and the next category (or the end) out of the grid.
  int Collapse(int row);

  // Rows held while collapsed (they are the grid's while expanded).
  void Hold(std::unique_ptr<CProperty> row) { held_.push_back(std::move(row)); }
  size_t HeldCount() const { return held_.size(); }
  CProperty* HeldAt(size_t index) const { return index < held_.size() ? held_[index].get() : nullptr; }

 private:
  std::vector<std::unique_ptr<CProperty>> held_;
  bool expanded_ = true;
};

// A row with a value. Setting takes a copy without any check; the text is the value as a string.
class CPropertyItem : public CProperty {
 public:
  using CProperty::CProperty;
  BYTE GetKind() const override { return PROP_KIND_VALUE; }
  void DrawValue(HDC dc, const RECT& cell, const PropertyDrawInfo& info) override;
  int GetValueText(wchar_t* buffer, int capacity) const override;
  int GetValueTextLength() const override;
  int QueryValue(VARIANT* value) const override;
  int SetValue(const VARIANT& value) override;

  const VARIANT& Value() const { return value_.get(); }

 protected:
  // Stores value as it is (no validation): the setter of construction and of validated values.
  bool StoreValue(const VARIANT& value);
  // The text the value shows; false when it has none.
  virtual bool TextOf(std::wstring& text) const;

 private:
  CVariant value_;
};

// A row edited as text.
class CPropertyEditItem : public CPropertyItem {
 public:
  using CPropertyItem::CPropertyItem;
  BYTE GetKind() const override { return PROP_KIND_EDIT; }
  // The text editor over cell; none for a disabled row or a value without text.
  HWND CreateEditor(HWND parent, const RECT& cell) override;
  void OnAction(int action, LPARAM parameter) override;
  // The editor's text, converted to the value's present type, through SetValue.
  int UpdateFromEditor(HWND editor) override;

  HWND Editor() const { return editor_; }
  void SetEditor(HWND editor) { editor_ = editor; }

 private:
  HWND editor_ = nullptr;
};

// A row whose value is one of a list of texts. The value is the index of the text; a text read from the
// document that is none of them is kept and shown as it is (index -1) until one of the texts is chosen.
class CPropertyListItem : public CPropertyItem {
 public:
  using CPropertyItem::CPropertyItem;
  BYTE GetKind() const override { return PROP_KIND_LIST; }
  // The drop-down editor with the texts, the current one selected.
  HWND CreateEditor(HWND parent, const RECT& cell) override;
  void OnAction(int action, LPARAM parameter) override;
  int UpdateFromEditor(HWND editor) override;
  // A text of the list selects it (an unknown text leaves the row as it was, result 0); any other value
  // is an index, past the end wrapping to the first text and below 0 clamped to it.
  int SetValue(const VARIANT& value) override;

  // The texts, from a table ending in a null entry.
  void LoadTexts(const wchar_t* const* table);
  const std::vector<std::wstring>& Texts() const { return texts_; }
  int Index() const { return index_; }
  // Shows text: the index of the list's text, or the text itself as the foreign value it is.
  void ShowText(const wchar_t* text);
  // The text of the value: the list's text at the index, or the foreign text.
  bool HasForeignText() const { return index_ < 0 && hasForeign_; }

  HWND DropDown() const { return dropDown_; }
  void SetDropDown(HWND dropDown) { dropDown_ = dropDown; }

 protected:
  bool TextOf(std::wstring& text) const override;

 private:
  void SetIndex(int index);

  std::vector<std::wstring> texts_;
  int index_ = -1;
  std::wstring foreign_;
  bool hasForeign_ = false;
  HWND dropDown_ = nullptr;
};

// A row edited through a dialog; the cell shows the last part of a path or a name.
class CPropertyFileNameItem : public CPropertyItem {
 public:
  using CPropertyItem::CPropertyItem;
  // The "..." editor over cell.
  HWND CreateEditor(HWND parent, const RECT& cell) override;
  void OnAction(int action, LPARAM parameter) override;

 protected:
  bool TextOf(std::wstring& text) const override;
};

// A row that is a check box.
class CPropertyCheckButtonItem : public CProperty {
 public:
  using CProperty::CProperty;
  BYTE GetKind() const override { return PROP_KIND_CHECK; }
  void DrawValue(HDC dc, const RECT& cell, const PropertyDrawInfo& info) override;
  void OnAction(int action, LPARAM parameter) override;
  int QueryValue(VARIANT* value) const override;
  int SetValue(const VARIANT& value) override;

  bool IsChecked() const { return checked_; }

 protected:
  void StoreChecked(bool checked) { checked_ = checked; }

 private:
  bool checked_ = false;
};
