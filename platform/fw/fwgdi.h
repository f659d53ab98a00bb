// Small GDI helpers: rectangles and points with arithmetic, owned GDI
// objects, device contexts that release themselves, a selection that is
// undone on scope exit and a memory DC with its bitmap.
#pragma once
#include <windows.h>
#include "fwexcept.h"

class CPoint : public POINT {
public:
  CPoint() { x = y = 0; }
  CPoint(int ax, int ay) { x = ax; y = ay; }
  explicit CPoint(LPARAM lParam) { x = (short)LOWORD(lParam); y = (short)HIWORD(lParam); }
};

class CSize : public SIZE {
public:
  CSize() { cx = cy = 0; }
  CSize(int w, int h) { cx = w; cy = h; }
};

class CRect : public RECT {
public:
  CRect() { left = top = right = bottom = 0; }
  CRect(int l, int t, int r, int b) { left = l; top = t; right = r; bottom = b; }
  CRect(const RECT& r) : RECT(r) {}
  int Width() const { return right - left; }
  int Height() const { return bottom - top; }
  CSize Size() const { return CSize(Width(), Height()); }
  bool IsRectEmpty() const { return right <= left || bottom <= top; }
  bool PtInRect(POINT p) const { return p.x >= left && p.x < right && p.y >= top && p.y < bottom; }
  void SetRect(int l, int t, int r, int b) { left = l; top = t; right = r; bottom = b; }
  void SetRectEmpty() { SetRect(0, 0, 0, 0); }
  void InflateRect(int dx, int dy) { left -= dx; top -= dy; right += dx; bottom += dy; }
  void DeflateRect(int dx, int dy) { InflateRect(-dx, -dy); }
  void OffsetRect(int dx, int dy) { left += dx; right += dx; top += dy; bottom += dy; }
  operator RECT*() { return this; }
  operator const RECT*() const { return this; }
  friend bool operator==(const CRect& a, const CRect& b) { return EqualRect(&a, &b) != FALSE; }
};

// An owned GDI object (font, brush, pen, bitmap): deleted with the object.
class CGdiObject {
public:
  CGdiObject() = default;
  ~CGdiObject() { DeleteObject(); }
  CGdiObject(const CGdiObject&) = delete;
  CGdiObject& operator=(const CGdiObject&) = delete;
  HGDIOBJ GetSafeHandle() const { return m_hObject; }
  BOOL Attach(HGDIOBJ object);
  HGDIOBJ Detach();
  BOOL DeleteObject();
  HGDIOBJ m_hObject = nullptr;
};

class CFont : public CGdiObject {
public:
  operator HFONT() const { return (HFONT)m_hObject; }
  BOOL CreateFontIndirect(const LOGFONTA* font);
  // A copy of an existing font (the stock system font for null).
  BOOL CreateCopyOf(HFONT font);
};

class CBrush : public CGdiObject {
public:
  CBrush() = default;
  explicit CBrush(COLORREF color) { CreateSolidBrush(color); }
  operator HBRUSH() const { return (HBRUSH)m_hObject; }
  BOOL CreateSolidBrush(COLORREF color);
};

class CPen : public CGdiObject {
public:
  CPen() = default;
  CPen(int style, int width, COLORREF color) { CreatePen(style, width, color); }
  operator HPEN() const { return (HPEN)m_hObject; }
  BOOL CreatePen(int style, int width, COLORREF color);
};

class CBitmap : public CGdiObject {
public:
  operator HBITMAP() const { return (HBITMAP)m_hObject; }
  // From the resources of the module that links the framework.
  BOOL LoadBitmap(const char* resourceName);
  BOOL LoadBitmap(UINT resourceId) { return LoadBitmap(MAKEINTRESOURCEA(resourceId)); }
  BOOL CreateCompatibleBitmap(HDC dc, int width, int height);
};

// GetDC/ReleaseDC of a window; raises CResourceException when no DC.
class CClientDC {
public:
  explicit CClientDC(HWND window);
  ~CClientDC() { ReleaseDC(m_hWnd, m_hDC); }
  CClientDC(const CClientDC&) = delete;
  CClientDC& operator=(const CClientDC&) = delete;
  operator HDC() const { return m_hDC; }
  HDC m_hDC;

private:
  HWND m_hWnd;
};

// BeginPaint/EndPaint.
class CPaintDC {
public:
  explicit CPaintDC(HWND window) : m_hWnd(window) { m_hDC = BeginPaint(window, &m_ps); }
  ~CPaintDC() { EndPaint(m_hWnd, &m_ps); }
  CPaintDC(const CPaintDC&) = delete;
  CPaintDC& operator=(const CPaintDC&) = delete;
  operator HDC() const { return m_hDC; }
  HDC m_hDC;
  PAINTSTRUCT m_ps;

private:
  HWND m_hWnd;
};

// Selects an object into a DC and puts the previous one back on scope exit.
class CSelectObject {
public:
  CSelectObject(HDC dc, HGDIOBJ object) : m_hDC(dc), m_hOld(object ? ::SelectObject(dc, object) : nullptr) {}
  ~CSelectObject() { if (m_hOld) ::SelectObject(m_hDC, m_hOld); }
  CSelectObject(const CSelectObject&) = delete;
  CSelectObject& operator=(const CSelectObject&) = delete;

private:
  HDC m_hDC;
  HGDIOBJ m_hOld;
};

// An off-screen DC compatible with `target`, with a bitmap of the given
// rectangle's size whose origin maps to the rectangle's top-left; draw on
// it, then Copy() to the target. Raises CResourceException on failure.
class CMemDC {
public:
  CMemDC(HDC target, const RECT& area);
  ~CMemDC();
  CMemDC(const CMemDC&) = delete;
  CMemDC& operator=(const CMemDC&) = delete;
  operator HDC() const { return m_hDC; }
  // Copies the drawing to the target (SRCCOPY), clipped to `clip` when given.
  void Copy(const RECT* clip = nullptr);
  HDC m_hDC;

private:
  HDC m_hTarget;
  CRect m_area;
  HBITMAP m_hBitmap;
  HGDIOBJ m_hOldBitmap;
  POINT m_oldOrigin;
};
