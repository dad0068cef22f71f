/* Vellum: the embeddable HTML form editor control.
 *
 * Load vellum.dll (or link against its import library and call LibMakeDummy so that it is loaded); the
 * module registers the window class "QX_VELLUM". Create a child window of that class and drive it with
 * the messages below. Texts that cross this interface are 8-bit, zero-terminated, in the ANSI code page.
 * The control reports to its parent with WM_NOTIFY; lParam points at a VLMNOTIFY.
 */
#ifndef VELLUM_H
#define VELLUM_H

#include <windows.h>
#include <commctrl.h>

#define VELLUM_CLASS_NAME_A "QX_VELLUM"
#define VELLUM_CLASS_NAME_W L"QX_VELLUM"

/* Messages (wParam, lParam -> result). */
#define VLM_ISDESIGNMODE (WM_USER + 2001) /* -, - -> 1 design mode, 0 preview */
#define VLM_LOADFILE (WM_USER + 2002)     /* -, path -> 1 loading, 0 failed */
#define VLM_LOADCODE (WM_USER + 2003)     /* -, HTML text -> 1 loading, 0 failed */
#define VLM_GETCODE (WM_USER + 2004)      /* -, null or buffer -> size, or 1 copied, 0 failed */
/* WM_USER + 2005 is reserved: the control answers 0. */
#define VLM_SETLOCK (WM_USER + 2006)        /* lock mode, - -> 0 */
#define VLM_BEGININSERT (WM_USER + 2007)    /* ElementKind, CLSID* for kind 12 -> 1, 0 */
#define VLM_INSERTCENTERED (WM_USER + 2008) /* ElementKind, CLSID* for kind 12 -> 1, 0 */
#define VLM_CANCELINSERT (WM_USER + 2009)   /* -, - -> 1, 0 */
#define VLM_SETDESIGNMODE (WM_USER + 2010)  /* 1 design, else preview -> 1, 0 */
#define VLM_CANCOPY (WM_USER + 2011)
#define VLM_CANCUT (WM_USER + 2012)
#define VLM_CANPASTE (WM_USER + 2013)
#define VLM_CANUNDO (WM_USER + 2014)
#define VLM_CANREDO (WM_USER + 2015)
#define VLM_COPY (WM_USER + 2016)
#define VLM_CUT (WM_USER + 2017)
#define VLM_PASTE (WM_USER + 2018)
#define VLM_UNDO (WM_USER + 2019)
#define VLM_REDO (WM_USER + 2020)
#define VLM_CANALIGN (WM_USER + 2021)
#define VLM_ALIGNTOPS (WM_USER + 2022)
#define VLM_ALIGNBOTTOMS (WM_USER + 2023)
#define VLM_ALIGNLEFTS (WM_USER + 2024)
#define VLM_ALIGNRIGHTS (WM_USER + 2025)
#define VLM_SAMEWIDTH (WM_USER + 2026)
#define VLM_SAMEHEIGHT (WM_USER + 2027)
#define VLM_SAMESIZE (WM_USER + 2028)
/* WM_USER + 2029 is reserved: the control answers 0. */
#define VLM_CLEARUNDO (WM_USER + 2030)
#define VLM_DELETESELECTION (WM_USER + 2031)
#define VLM_PROPERTIES (WM_USER + 2032)     /* -, - -> 1 closed with OK, else 0 */
#define VLM_TRANSLATEACCEL (WM_USER + 2033) /* -, MSG* -> 1 if translated */
#define VLM_SETTEMPDIR (WM_USER + 2034)     /* -, directory or null -> 1 */

/* A message that fails answers 0 and sets the control's last error (VellumError below). A failure,
 * running out of memory included, leaves the document and the undo history as they were:
 *   VLM_LOADFILE, VLM_LOADCODE  VLM_ERR_LOAD (VLM_ERR_NO_DOCUMENT without a document): the page that was
 *                               there stays. An answer of 1 starts the load, which completes later; if
 *                               the completion runs out of memory, the new page stays, its undo history
 *                               may lack the loaded state, and the last error becomes VLM_ERR_LOAD.
 *   VLM_GETCODE                 VLM_ERR_SERIALIZE, also when the text does not fit the buffer.
 *   VLM_INSERTCENTERED          VLM_ERR_ELEMENT, as for an insertion drawn on the surface: nothing is
 *                               inserted, no undo step is added, no id number is used, nothing is
 *                               reported to the parent; insertion is disarmed.
 *   VLM_CUT, VLM_PASTE, VLM_DELETESELECTION, VLM_ALIGNTOPS .. VLM_SAMESIZE and the Element menu's
 *   commands                    VLM_ERR_ELEMENT, also when the edit's undo snapshot cannot be taken: the
 *                               document, the selection and the history are as before (a failed cut
 *                               may have put the copy on the clipboard).
 *   VLM_COPY                    VLM_ERR_ELEMENT: the clipboard keeps what it held.
 *   VLM_UNDO, VLM_REDO          VLM_ERR_LOAD: the document and the position in the history stay.
 *   VLM_PROPERTIES              VLM_ERR_ELEMENT.
 * A resize of the form whose undo snapshot cannot be taken keeps the new size, without an undo step
 * (VLM_ERR_UNDO_MEMORY). */

#define VLM_FIRST_MESSAGE VLM_ISDESIGNMODE
#define VLM_LAST_MESSAGE VLM_SETTEMPDIR

/* The command the property sheet posts to the control when Apply is pressed:
 * WM_COMMAND, wParam = MAKEWPARAM(VLM_CMD_DOCCHANGED_ID, VLM_CMD_DOCCHANGED_CODE), lParam = the sheet. */
#define VLM_CMD_DOCCHANGED_ID 10000
#define VLM_CMD_DOCCHANGED_CODE 1
#define VLM_CMD_DOCCHANGED MAKEWPARAM(VLM_CMD_DOCCHANGED_ID, VLM_CMD_DOCCHANGED_CODE)

/* Notification codes (NMHDR.code of the WM_NOTIFY sent or posted to the parent). */
#define VLMN_ELEMENTINSERTED 1 /* sent: kind = the inserted ElementKind */
#define VLMN_TRACKRECT 2       /* posted on every mouse move over the surface: rcTrack */
#define VLMN_CHANGED 3         /* sent: the document changed */
#define VLMN_RESIZED 4         /* sent before the control changes size: rcWindow */
#define VLMN_MOVED 5           /* sent before the control moves: rcWindow */

/* Element kinds: insertion, notifications and the property catalogue share this numbering. */
typedef enum ElementKind {
  VLM_KIND_NONE = 0,
  VLM_KIND_LABEL = 1,
  VLM_KIND_TEXTBOX = 2,
  VLM_KIND_BUTTON = 3,
  VLM_KIND_CHECKBOX = 4,
  VLM_KIND_RADIO = 5,
  VLM_KIND_FILE = 6,
  VLM_KIND_TEXTAREA = 7,
  VLM_KIND_FRAME = 8,
  VLM_KIND_IMAGE = 9,
  VLM_KIND_LIST = 10,
  VLM_KIND_CHOICE = 11,
  VLM_KIND_OBJECT = 12,
  VLM_KIND_BODY = 13,
  VLM_KIND_OTHER = 14
} ElementKind;

/* The record of every notification. */
typedef struct VLMNOTIFY {
  NMHDR hdr;     /* hwndFrom = the control, idFrom = its dialog id, code = VLMN_* */
  UINT32 kind;   /* ElementKind */
  RECT rcTrack;  /* VLMN_TRACKRECT: the drawn rectangle (surface client coordinates) */
  RECT rcWindow; /* VLMN_RESIZED / VLMN_MOVED: the new window rectangle */
} VLMNOTIFY;

/* The control's last failure (diagnostics only; no message returns it). */
enum VellumError {
  VLM_ERR_NONE = 0,
  VLM_ERR_NO_WINDOW = 1,        /* the control window no longer exists */
  VLM_ERR_SURFACE_CREATE = 2,   /* the design surface could not be created */
  VLM_ERR_NO_SURFACE = 3,       /* the operation needs the design surface */
  VLM_ERR_NO_DOCUMENT = 4,      /* no document, or a required pointer argument is null */
  VLM_ERR_DOCUMENT_CREATE = 5,  /* the document could not be created or given its client site */
  VLM_ERR_ACTIVATE = 6,         /* the document could not be activated in place */
  VLM_ERR_ADVISE = 8,           /* the ready-state sink could not be connected */
  VLM_ERR_UNADVISE = 9,         /* the ready-state sink could not be disconnected */
  VLM_ERR_ALREADY_ADVISED = 10, /* the ready-state sink is already connected */
  VLM_ERR_NOT_ADVISED = 11,     /* there is no ready-state connection to disconnect */
  VLM_ERR_DOC_WINDOW = 12,      /* the document's window handle could not be obtained */
  VLM_ERR_PREVIEW = 13,         /* the operation needs design mode */
  VLM_ERR_LOAD = 14,            /* loading a file, a text or an undo snapshot failed */
  VLM_ERR_TEMP_WRITE = 15,      /* writing the temporary file or serialising a snapshot failed */
  VLM_ERR_SERIALIZE = 16,       /* the document could not be serialised */
  VLM_ERR_ALIGN_SELECTION = 17, /* an alignment needs more than one selected element */
  VLM_ERR_UNDO_MEMORY = 18,     /* no memory for an undo snapshot */
  VLM_ERR_NOTHING_TO_UNDO = 19, /* nothing to undo or redo */
  VLM_ERR_LOCKED = 21,          /* the control is locked */
  VLM_ERR_NO_CLSID = 22,        /* an object insertion lacks its CLSID */
  VLM_ERR_ELEMENT = 23,         /* an element operation failed */
  VLM_ERR_NOT_ARMED = 24,       /* no kind armed, or preview requested without a surface */
  VLM_ERR_TEMP_FILE = 26,       /* the temporary file could not be named or opened */
  VLM_ERR_TEMP_NAME_MEMORY = 27 /* no memory for the temporary file's name */
};

#ifndef VELLUM_API
#define VELLUM_API __declspec(dllimport)
#endif

#ifdef __cplusplus
extern "C" {
#endif
/* Does nothing: linking against it makes the loader load the module (and so register the class). */
VELLUM_API void WINAPI LibMakeDummy(void);
#ifdef __cplusplus
}
#endif

#ifdef __cplusplus
#include <cstddef>
static_assert(sizeof(NMHDR) == 3 * sizeof(void*), "NMHDR has its 64-bit layout");
static_assert(offsetof(VLMNOTIFY, kind) == sizeof(NMHDR), "kind follows the header");
static_assert(offsetof(VLMNOTIFY, rcTrack) == sizeof(NMHDR) + 4, "rcTrack follows kind");
static_assert(offsetof(VLMNOTIFY, rcWindow) == sizeof(NMHDR) + 20, "rcWindow follows rcTrack");
static_assert(sizeof(RECT) == 16, "RECT is four 32-bit integers");
#endif

#endif /* VELLUM_H */
