// GDI helpers.
#include "fwwnd.h"
#include <algorithm>
#include <utility>

BOOL CGdiObject::Attach(HGDIOBJ object) {
  if (!object) return FALSE;
  DeleteObject();
  m_hObject = object;
  return TRUE;
}

HGDIOBJ CGdiObject::Detach() { return std::exchange(m_hObject, nullptr); }

BOOL CGdiObject::DeleteObject() {
  if (!m_hObject) return FALSE;
  return ::DeleteObject(Detach());
}

BOOL CFont::CreateFontIndirect(const LOGFONTA* font) { return Attach(::CreateFontIndirectA(font)); }

BOOL CFont::CreateCopyOf(HFONT font) {
  LOGFONTA description;
  HGDIOBJ source = font ? static_cast<HGDIOBJ>(font) : GetStockObject(SYSTEM_FONT);
  if (!GetObjectA(source, sizeof description, &description)) return FALSE;
  return CreateFontIndirect(&description);
}

BOOL CBrush::CreateSolidBrush(COLORREF color) { return Attach(::CreateSolidBrush(color)); }

BOOL CPen::CreatePen(int style, int width, COLORREF color) { return Attach(::CreatePen(style, width, color)); }

BOOL CBitmap::LoadBitmap(const char* resourceName) {
  return Attach(::LoadBitmapA(AfxGetResourceHandle(), resourceName));
}

BOOL CBitmap::CreateCompatibleBitmap(HDC dc, int width, int height) {
  return Attach(::CreateCompatibleBitmap(dc, width, height));
}

CClientDC::CClientDC(HWND window) : m_hDC(::GetDC(window)), m_hWnd(window) {
  if (!m_hDC) AfxThrowResourceException();
}

CMemDC::CMemDC(HDC target, const RECT& area) : m_hTarget(target), m_area(area) {
  m_hDC = CreateCompatibleDC(target);
  m_hBitmap = m_hDC ? ::CreateCompatibleBitmap(target, std::max(1, m_area.Width()), std::max(1, m_area.Height()))
                    : nullptr;
  if (!m_hBitmap) {
    if (m_hDC) DeleteDC(m_hDC);
    AfxThrowResourceException();
  }
  m_hOldBitmap = ::SelectObject(m_hDC, m_hBitmap);
  SetWindowOrgEx(m_hDC, m_area.left, m_area.top, &m_oldOrigin);
}

CMemDC::~CMemDC() {
  SetWindowOrgEx(m_hDC, m_oldOrigin.x, m_oldOrigin.y, nullptr);
  ::SelectObject(m_hDC, m_hOldBitmap);
  ::DeleteObject(m_hBitmap);
  DeleteDC(m_hDC);
}

void CMemDC::Copy(const RECT* clip) {
  CRect r = m_area;
  if (clip && !IntersectRect(&r, &m_area, clip)) return;
  BitBlt(m_hTarget, r.left, r.top, r.Width(), r.Height(), m_hDC, r.left, r.top, SRCCOPY);
}
