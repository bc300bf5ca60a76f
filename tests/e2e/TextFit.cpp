#include "TextFit.h"

#include "Driver.h"

namespace e2e {

namespace {

std::string ClassOf(HWND hwnd) {
  char name[64] = {};
  GetClassNameA(hwnd, name, sizeof(name));
  return name;
}

// The room the control's text has, in pixels, and how it is drawn there; false for controls
// whose text this check does not judge (edits, lists, pictures, no text).
bool TextRoom(HWND control, const RECT& client, RECT& room, UINT& format) {
  const std::string kind = ClassOf(control);
  const LONG style = GetWindowLongA(control, GWL_STYLE);
  room = client;
  format = (style & SS_NOPREFIX) != 0 && lstrcmpiA(kind.c_str(), "Static") == 0 ? DT_NOPREFIX : 0;
  if (lstrcmpiA(kind.c_str(), "Static") == 0) {
    switch (style & SS_TYPEMASK) {
      case SS_LEFT:
      case SS_CENTER:
      case SS_RIGHT:
        format |= DT_WORDBREAK | DT_EXPANDTABS;
        return true;
      case SS_LEFTNOWORDWRAP:
      case SS_SIMPLE:
        format |= DT_SINGLELINE | DT_EXPANDTABS;
        return true;
      default:
        return false;
    }
  }
  if (lstrcmpiA(kind.c_str(), "Button") != 0) return false;
  const LONG type = style & BS_TYPEMASK;
  const int edge = GetSystemMetrics(SM_CXEDGE);
  format |= (style & BS_MULTILINE) != 0 ? DT_WORDBREAK : DT_SINGLELINE;
  switch (type) {
    case BS_CHECKBOX:
    case BS_AUTOCHECKBOX:
    case BS_RADIOBUTTON:
    case BS_AUTORADIOBUTTON:
    case BS_3STATE:
    case BS_AUTO3STATE:
      // The box or circle and the gap after it.
      room.left += GetSystemMetrics(SM_CXMENUCHECK) + edge;
      return true;
    case BS_GROUPBOX:
      // The caption sits in the top frame line, inset at both ends.
      InflateRect(&room, -3 * edge, 0);
      room.bottom = room.top + client.bottom;
      format = DT_SINGLELINE;
      return true;
    case BS_PUSHBUTTON:
    case BS_DEFPUSHBUTTON:
      InflateRect(&room, -2 * edge, -2 * edge);
      return true;
    default:
      return false;
  }
}

// What of the text does not fit its room in the font; "" when it fits.
std::string TextOverrun(HWND control, HFONT font) {
  const std::string text = Text(control);
  RECT client{};
  GetClientRect(control, &client);
  RECT room{};
  UINT format = 0;
  if (text.empty() || !TextRoom(control, client, room, format)) return {};
  HDC dc = GetDC(nullptr);
  HGDIOBJ before = SelectObject(dc, font);
  RECT needed{0, 0, room.right - room.left, 0};
  DrawTextA(dc, text.c_str(), -1, &needed, format | DT_CALCRECT);
  SelectObject(dc, before);
  ReleaseDC(nullptr, dc);
  const int width = room.right - room.left;
  const int height = room.bottom - room.top;
  if (needed.right <= width && needed.bottom <= height) return {};
  return "needs " + std::to_string(needed.right) + " x " + std::to_string(needed.bottom) +
         " pixels, has " + std::to_string(width) + " x " + std::to_string(height);
}

// The part of the control outside its parent's client area; "" when none.
std::string FrameOverrun(HWND control) {
  HWND parent = GetParent(control);
  RECT frame{};
  RECT inside{};
  GetWindowRect(control, &frame);
  GetClientRect(parent, &inside);
  MapWindowPoints(parent, nullptr, reinterpret_cast<POINT*>(&inside), 2);
  RECT both{};
  IntersectRect(&both, &frame, &inside);
  if (EqualRect(&both, &frame)) return {};
  return "runs " + std::to_string(frame.right - both.right) + " pixels past its parent's right " +
         "edge and " + std::to_string(frame.bottom - both.bottom) + " past its bottom";
}

struct Check {
  HFONT font;
  std::vector<std::string> found;
};

BOOL CALLBACK CheckControl(HWND control, LPARAM lParam) {
  if (!IsWindowVisible(control)) return TRUE;
  auto* check = reinterpret_cast<Check*>(lParam);
  const std::string name = ClassOf(control) + " " + std::to_string(GetDlgCtrlID(control)) + " \"" +
                           Text(control) + "\": ";
  const std::string frame = FrameOverrun(control);
  if (!frame.empty()) check->found.push_back(name + frame);
  const std::string text = TextOverrun(control, check->font);
  if (!text.empty()) check->found.push_back(name + text);
  return TRUE;
}

}  // namespace

std::vector<std::string> TextOverruns(HWND window, const char* face, int points) {
  HDC screen = GetDC(nullptr);
  const int height = -MulDiv(points, GetDeviceCaps(screen, LOGPIXELSY), 72);
  ReleaseDC(nullptr, screen);
  Check check{CreateFontA(height, 0, 0, 0, FW_NORMAL, FALSE, FALSE, FALSE, DEFAULT_CHARSET,
                          OUT_DEFAULT_PRECIS, CLIP_DEFAULT_PRECIS, DEFAULT_QUALITY,
                          DEFAULT_PITCH | FF_DONTCARE, face),
              {}};
  EnumChildWindows(window, &CheckControl, reinterpret_cast<LPARAM>(&check));
  DeleteObject(check.font);
  return check.found;
}

}  // namespace e2e
