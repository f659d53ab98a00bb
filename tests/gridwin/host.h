// A test host for the table window: loads gridwin.dll for each test (so
// every test also runs a load/unload cycle), owns a parent window that
// records every notification and answers row fetches, and builds creation
// records.
#pragma once
#include "gridwin.h"

#include <gtest/gtest.h>

#include <cstring>
#include <functional>
#include <string>
#include <vector>

// A function of a loaded library, as the type it is called through.
template <class F> F procOf(HMODULE module, const char* name) {
  return reinterpret_cast<F>(reinterpret_cast<void*>(GetProcAddress(module, name)));
}

struct Note {
  UINT code;
  LONG id;
  bool operator==(const Note&) const = default;
};

inline ColumnCreateInfo columnInfo(const char* title, LONG width = 60, LONG maxLength = 40,
                                   DWORD flags = TBLCF_VISIBLE | TBLCF_EDITABLE, BYTE dataType = 0,
                                   LONG cellKind = 0) {
  ColumnCreateInfo c{};
  c.title = title;
  c.width = width;
  c.maxDataLength = maxLength;
  c.columnFlags = flags;
  c.dataType = dataType;
  c.cellKind = cellKind;
  return c;
}

// TableCreateParams followed by its columns, as one packed block.
inline std::vector<BYTE> createRecord(TableCreateParams header, const std::vector<ColumnCreateInfo>& columns) {
  header.columnCount = LONG(columns.size());
  std::vector<BYTE> block(sizeof header + columns.size() * sizeof(ColumnCreateInfo));
  std::memcpy(block.data(), &header, sizeof header);
  for (size_t i = 0; i < columns.size(); ++i)
    std::memcpy(block.data() + sizeof header + i * sizeof(ColumnCreateInfo), &columns[i], sizeof(ColumnCreateInfo));
  return block;
}

inline TableCreateParams listParams(DWORD createFlags = 0, LONG cacheLimit = 0) {
  TableCreateParams p{};
  p.viewType = TBL_VIEW_LIST;
  p.createFlags = createFlags;
  p.rowCacheLimit = cacheLimit;
  p.displayFlags = TBLD_ROWHEADER;
  p.rowHeaderWidth = 20;
  return p;
}

class TableHost : public ::testing::Test {
 public:
  static TableHost* current;

  HMODULE dll = nullptr;
  HWND parent = nullptr;
  std::vector<Note> notes;
  std::vector<LONG> fetched;  // rows the table asked for
  // Answers a fetch (WM_USER to the parent); by default the row's cells
  // are "r<row>c<column>" for rows below rowCount, else 2.
  std::function<LRESULT(HWND, LONG)> fetch;
  LONG rowCount = 1000;

  void SetUp() override {
    current = this;
    dll = LoadLibraryA("gridwin.dll");
    ASSERT_TRUE(dll);
    WNDCLASSA wc{};
    wc.lpfnWndProc = ParentProc;
    wc.hInstance = GetModuleHandleA(nullptr);
    wc.lpszClassName = "GridTestHost";
    RegisterClassA(&wc);
    parent = CreateWindowExA(0, "GridTestHost", "host", WS_OVERLAPPEDWINDOW | WS_CLIPCHILDREN, 0, 0, 640, 480,
                             nullptr, nullptr, GetModuleHandleA(nullptr), nullptr);
    ASSERT_TRUE(parent);
    fetch = [this](HWND table, LONG row) { return fillRow(table, row); };
  }

  void TearDown() override {
    if (parent) DestroyWindow(parent);
    pump();
    if (dll) FreeLibrary(dll);
    current = nullptr;
  }

  LRESULT fillRow(HWND table, LONG row) {
    if (row >= rowCount) return 2;
    LRESULT columns = SendMessageA(table, TBLM_GETCOLUMNCOUNT, 0, 0);
    for (int c = 0; c < columns; ++c) {
      std::string text = "r" + std::to_string(row) + "c" + std::to_string(c);
      SendMessageA(table, TBLM_SETCELLTEXT, c, LPARAM(text.c_str()));
    }
    return 1;
  }

  HWND createTable(const std::vector<BYTE>& record, DWORD style = WS_CHILD | WS_VISIBLE,
                   const char* cls = TBL_CLASS) {
    return CreateWindowExA(0, cls, "", style, 0, 0, 400, 300, parent, HMENU(7), GetModuleHandleA(nullptr),
                           const_cast<BYTE*>(record.data()));
  }

  // A list-view table with `n` columns "A", "B", ... and a row store.
  HWND activeTable(int n = 3, DWORD createFlags = TBLC_ACTIVATE, LONG cacheLimit = 0) {
    std::vector<ColumnCreateInfo> cols;
    static const char* names[] = {"A", "B", "C", "D", "E", "F", "G", "H"};
    for (int i = 0; i < n; ++i) cols.push_back(columnInfo(names[i % 8]));
    return createTable(createRecord(listParams(createFlags, cacheLimit), cols));
  }

  static LRESULT send(HWND w, UINT msg, WPARAM wp = 0, LPARAM lp = 0) { return SendMessageA(w, msg, wp, lp); }
  template <class T> static LRESULT send(HWND w, UINT msg, WPARAM wp, T* record) {
    return SendMessageA(w, msg, wp, LPARAM(record));
  }

  LRESULT setRange(HWND t, LONG first, LONG last) {
    TBLROWPAIR r{first, last};
    return send(t, TBLM_SETRANGE, 0, &r);
  }
  std::string rowText(HWND t, LONG row, LONG column) {
    char buf[128] = "?";
    TBLCELLTEXT args{row, column, buf, sizeof buf};
    send(t, TBLM_GETROWCELLTEXT, 0, &args);
    return buf;
  }
  LRESULT setRowFlags(HWND t, LONG row, WORD flags, bool on) {
    TBLSETROWFLAGS args{row, on};
    return send(t, TBLM_SETROWFLAGS, flags, &args);
  }
  LONG findNext(HWND t, LONG from, WORD wanted, WORD excluded = 0, bool forward = true) {
    TBLFINDROW f{from, wanted, excluded};
    send(t, forward ? TBLM_FINDNEXTROW : TBLM_FINDPREVROW, 0, &f);
    return f.row;
  }
  int count(UINT code) const {
    int n = 0;
    for (const Note& note : notes) n += note.code == code;
    return n;
  }
  static void pump() {
    MSG m;
    while (PeekMessageA(&m, nullptr, 0, 0, PM_REMOVE)) {
      TranslateMessage(&m);
      DispatchMessageA(&m);
    }
  }

  static LRESULT CALLBACK ParentProc(HWND w, UINT msg, WPARAM wp, LPARAM lp) {
    TableHost* h = current;
    if (h && msg == WM_COMMAND && lp && HIWORD(wp) >= 0x700 && HIWORD(wp) <= 0x72A) {
      h->notes.push_back({HIWORD(wp), LONG(LOWORD(wp))});
      return 0;
    }
    if (h && msg == WM_USER && lp) {
      auto* request = reinterpret_cast<TBLFETCHREQUEST*>(lp);
      h->fetched.push_back(request->row);
      return h->fetch ? h->fetch(request->table, request->row) : 0;
    }
    return DefWindowProcA(w, msg, wp, lp);
  }
};

inline TableHost* TableHost::current = nullptr;
