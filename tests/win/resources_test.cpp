// The program's resources as the running program sees them: every text byte for byte in the
// ANSI code page, every dialog template's controls, the menu, the icon and the logo.
#include <windows.h>

#include <commctrl.h>
#include <gtest/gtest.h>

#include <cstring>
#include <string>
#include <vector>

#include "call/CallEvents.h"
#include "fw/StringsWin.h"
#include "fw/WindowWin.h"
#include "resource.h"

namespace {

// The texts below are written in UTF-8; the program sees them in Windows-1252. Every character
// they use lies in Latin-1, where both agree on the code point.
std::string Ansi(const char* utf8) {
  std::string out;
  for (const unsigned char* p = reinterpret_cast<const unsigned char*>(utf8); *p != 0; ++p) {
    if (*p < 0x80) {
      out += static_cast<char>(*p);
    } else if ((*p & 0xE0) == 0xC0 && (p[1] & 0xC0) == 0x80) {
      const unsigned code = ((*p & 0x1Fu) << 6) | (p[1] & 0x3Fu);
      if (code > 0xFF) ADD_FAILURE() << "not Latin-1: " << utf8;
      out += static_cast<char>(code);
      ++p;
    } else {
      ADD_FAILURE() << "not Latin-1: " << utf8;
    }
  }
  return out;
}

struct StringSpec {
  UINT id;
  const char* text;
};

const StringSpec kStrings[] = {
    {102, "Modem On Hold Einstellungen"},
    {106, "Modem On Hold Einstellungen"},
    {32771, "Modem On Hold Einstellungen"},
    {32781, "Info"},
    {32782, "Modem On Hold deaktivieren"},
    {32796, "Rufprotokoll"},
    {32797, "Bei Start ausführen"},
    {32799, "Anruf tätigen"},
    {57670, "Hilfe"},
    {32802,
     "Modemzugriff gescheitert. Schließen Sie bitte alle Anwendungen,\n die das Modem benötigen "
     "und versuchen Sie es erneut."},
    {32803, "Modem aktiv."},
    {32804, "Modem im Leerlauf."},
    {32805, "Ankommender Ruf."},
    {32808, "Modem on Hold abgewiesen."},
    {32809,
     "Sie werden gerade angerufen. Sie können Ihre Internetverbindung trennen, um den Anruf "
     "anzunehmen, oder den Anruf ignorieren und online bleiben."},
    {32810, "MoH-Zeitüberschreitung in "},
    {32811, "MoH-Zeitüberschreitung!"},
    {32813, "Fehler."},
    {32830, "Datenverbindung beendet."},
    {32831, "Modem aktiv."},
    {32838, "Modemverbindung wiederherstellen......"},
    {32842, "Bitte warten Sie, während Oskavel V.92 Ihre Internetverbindung wiederherstellt."},
    {32847, "Modem aktiv."},
    {32848, "Modem im Leerlauf."},
    {32849, "MoH-Zeitüberschreitung der Gegenstelle!"},
    {32852,
     "Zugriff auf das Tamrix Modem nicht möglich.\nBitte installieren Sie das Modem oder "
     "schließen Sie alle Anwendungen,\ndie das Modem benötigen und versuchen Sie es erneut."},
    {32855, "Beenden Sie bitte die Verbindung und versuchen Sie es erneut."},
    {32872,
     "Minuten Haltezeit. Legen Sie nach Abschluss des Telefongesprächs auf, und klicken Sie auf "
     "\"Meine Internetverbindung wiederherstellen\"."},
    {32873, "Sekunden. "},
    {32874, "Schließen Sie bitte den Port und versuchen Sie es erneut!"},
    {32876, "Verbindung beenden. Umschalten auf Sprache"},
    {32882, "Anruf annehmen"},
    {32883, "Anruf ignorieren"},
    {32884, "Meine Internetverbindung wiederherstellen"},
    {32885, "Details zum ankommenden Ruf"},
    {32886, "Modem On Hold Einstellungen"},
    {32887, "Modem On Hold Einstellungen"},
    {32888, "Modem On Hold Einstellungen"},
    {32889, "Rufprotokoll"},
    {32890, "Anruf tätigen"},
    {32891,
     "Um einen Anruf zu tätigen, klicken Sie auf die Schaltfläche \"Anruf tätigen\", heben Sie "
     "den Telefonhörer ab, und wählen Sie die gewünschte Rufnummer."},
    {32892, "Modem nicht gefunden."},
    {32893, "Modem auswählen"},
    {32895, "Ihr ISP ermöglicht ca. "},
    {57671, "Abbrechen"},
    {57672, "OK"},
    {57673, "Modem ist nicht aktiv. Wiederholen Sie die Installation."},
    {57674, "Tätigen eines Anrufs"},
    {57675, "Annehmen eines Anrufs"},
    {57676, "Wiederherstellen der Internetverbindung"},
    {IDS_ASK_DISABLE_MOH, "Möchten Sie MoH jetzt beenden?"},
    {IDS_HANG_UP_FIRST,
     "Bevor Ihre Internetverbindung \nwiederhergestellt werden \nkann, müssen Sie auflegen."},
};

TEST(StringTable, EveryTextComesOutInTheAnsiCodePageByteForByte) {
  ASSERT_EQ(1252u, GetACP()) << "the prefix must run with a German (Western) ANSI code page";
  for (const StringSpec& wanted : kStrings) {
    EXPECT_EQ(Ansi(wanted.text), fw::LoadText(wanted.id)) << "string " << wanted.id;
  }
  EXPECT_EQ("\xE4", fw::LoadText(ID_PLACE_CALL).substr(7, 1)) << "ä must be 0xE4";
}

TEST(StringTable, IdsWithoutTextGiveTheEmptyText) {
  // Ids the call handling loads whose empty text is what the call dialog must show.
  EXPECT_EQ("", fw::LoadText(IDS_EVENT_1));
  for (UINT id : kErrorTextIds) EXPECT_EQ("", fw::LoadText(id)) << "string " << id;
}

TEST(StringTable, AboutTextStartsWithTheVersionAndHasFourLines) {
  const std::string text = fw::LoadText(IDS_ABOUT_VERSION);
  EXPECT_EQ(0u, text.find("Version 1.68B\n"));
  int lines = 1;
  for (char c : text) lines += c == '\n';
  EXPECT_EQ(4, lines);
}

// ---- Dialog templates ----------------------------------------------------------------------

struct ControlSpec {
  int id;
  const char* windowClass;
  DWORD style;       // the template's style but WS_CHILD
  const char* text;  // nullptr: a picture, whose text is its resource
  RECT dialogUnits;  // x, y, width, height as in the template
};

struct DialogSpec {
  int id;
  const char* caption;
  int width, height;
  std::vector<ControlSpec> controls;
};

constexpr DWORD V = WS_VISIBLE;
// What LTEXT makes: a visible, left-aligned static that starts a group.
constexpr DWORD kLabel = WS_VISIBLE | SS_LEFT | WS_GROUP;

const DialogSpec kAbout{
    IDD_ABOUTBOX,
    "",
    172,
    76,
    {
        {-1, "Static", V | SS_BITMAP, nullptr, {5, 6, 67, 34}},
        {IDC_VERSION_TEXT, "Static", V | SS_CENTER | SS_SUNKEN | SS_NOPREFIX, "", {76, 6, 90, 40}},
        {IDOK, "Button", V | BS_DEFPUSHBUTTON | WS_TABSTOP, "OK", {61, 55, 50, 14}},
    }};

const DialogSpec kSettingsPage{
    IDD_GENERAL_PAGE,
    "Modem On Hold Einstellungen",
    229,
    287,
    {
        {-1, "Static", V | SS_BITMAP, nullptr, {5, 0, 67, 34}},
        {-1, "Button", V | BS_GROUPBOX, "Modem-On-Hold", {5, 35, 220, 70}},
        {IDC_CALL_WAITING,
         "Button",
         V | BS_AUTOCHECKBOX | WS_TABSTOP,
         "Ankommende Anrufe immer annehmen (Anklopfen aktiv)",
         {10, 55, 202, 10}},
        {IDC_ALWAYS_DISCONNECT,
         "Button",
         V | BS_AUTORADIOBUTTON | WS_GROUP | WS_TABSTOP,
         "Internetverbindung bei Anrufannahme immer trennen",
         {10, 70, 205, 10}},
        {IDC_CONFIRM_CALL,
         "Button",
         V | BS_AUTORADIOBUTTON | WS_GROUP | WS_TABSTOP,
         "Anrufannahme bestätigen (Modem On",
         {10, 85, 180, 10}},
        {IDC_CONFIRM_CALL_LINE2, "Static", kLabel, "Hold aktiv)", {20, 95, 125, 8}},
        {-1, "Button", V | BS_GROUPBOX, "", {5, 105, 220, 35}},
        {IDC_MUTE_RING_TONE,
         "Button",
         V | BS_AUTOCHECKBOX | WS_TABSTOP,
         "Rufton bei ankommendem Anruf stummschalten",
         {10, 110, 180, 10}},
        {IDC_CALLER_ID,
         "Button",
         V | BS_AUTOCHECKBOX | WS_TABSTOP,
         "Anruferkennung aktivieren (LM muss freigeschaltet sein)",
         {10, 125, 202, 10}},
        {-1, "Button", V | BS_GROUPBOX, "", {5, 140, 220, 91}},
        {IDC_WARN, "Button", V | BS_AUTOCHECKBOX | WS_TABSTOP, "Warne mich", {10, 150, 54, 10}},
        {IDC_WARN_TIME,
         "ComboBox",
         V | CBS_DROPDOWNLIST | WS_VSCROLL | WS_TABSTOP,
         "",
         {65, 149, 38, 35}},
        {IDC_WARN_TIME_LABEL, "Static", kLabel, "vor Ablauf meiner Haltezeit", {107, 151, 90, 8}},
        {IDC_MUTE_WARN_TONE,
         "Button",
         V | BS_AUTOCHECKBOX | WS_TABSTOP,
         "Warnsignal für Ablauf der Haltezeit stummschalten.",
         {10, 165, 205, 10}},
        {IDC_DIAL_LABEL, "Static", kLabel, "Wähle ", {11, 181, 26, 8}},
        {IDC_DIAL_STRING,
         "Edit",
         V | ES_AUTOHSCROLL | WS_BORDER | WS_TABSTOP,
         "",
         {42, 177, 50, 14}},
        {IDC_DIAL_TAIL, "Static", kLabel, "Anklopfen (ankommende) und ", {99, 180, 121, 11}},
        {-1, "Static", kLabel, "Dreierkonferenz (abgehende Anrufe)", {11, 194, 189, 8}},
        {IDC_CHANGE_DIAL_STRING,
         "Button",
         V | BS_AUTOCHECKBOX | WS_TABSTOP,
         "Wählparameter ändern",
         {10, 206, 88, 10}},
        {IDC_RESET_DIAL_STRING,
         "Button",
         V | BS_AUTOCHECKBOX | WS_TABSTOP,
         "Einstellungen zurücksetzen",
         {10, 217, 112, 10}},
        {-1, "Button", V | BS_GROUPBOX, "", {5, 231, 220, 23}},
        {IDC_QUICK_CONNECT,
         "Button",
         V | BS_AUTOCHECKBOX | WS_TABSTOP,
         "Fast Connect aktivieren",
         {10, 237, 160, 15}},
        {-1,
         "Static",
         kLabel,
         "Für MoH sind folgende Leistungsmerkmale erforderlich: V.92-Dienst,",
         {7, 259, 220, 8}},
        {-1,
         "Static",
         kLabel,
         "Anklopfen (ankommende) und Dreierkonferenz (abgehende Anrufe)",
         {7, 270, 215, 8}},
    }};

const DWORD kCounter = V | SS_CENTER | SS_CENTERIMAGE | SS_SUNKEN;

const DialogSpec kCallDialog{
    IDD_CALL,
    "V.92 Modem on Hold",
    252,
    106,
    {
        {IDOK, "Button", V | BS_DEFPUSHBUTTON | WS_TABSTOP, "Anruf annehmen", {55, 80, 89, 14}},
        {IDC_ANSWER_TIME, "Static", kCounter, "00:00", {5, 80, 39, 12}},
        {IDC_IGNORE_CALL,
         "Button",
         V | BS_PUSHBUTTON | WS_TABSTOP,
         "Anruf ignorieren",
         {150, 80, 90, 14}},
        {IDC_HOLD_TIME, "Static", kCounter, "00:00:00", {195, 10, 39, 12}},
        {IDC_RESTORE_DATA,
         "Button",
         V | BS_PUSHBUTTON | WS_TABSTOP,
         "Internetverbindung wiederherstellen",
         {52, 79, 163, 14}},
        {IDCANCEL, "Button", V | BS_DEFPUSHBUTTON | WS_TABSTOP, "Anruf tätigen", {55, 80, 90, 14}},
        {IDABORT,
         "Button",
         V | BS_DEFPUSHBUTTON | WS_TABSTOP,
         "&Verbindung beenden. Umschalten auf Sprache",
         {33, 81, 165, 14}},
        {-1, "Static", V | SS_BITMAP, nullptr, {5, 10, 94, 28}},
        {IDC_INFO_LINE, "Static", V | SS_CENTER | SS_SUNKEN, "", {110, 5, 130, 38}},
        {IDC_BODY_TEXT, "Static", kLabel, "", {7, 47, 235, 30}},
        {-1, "Button", V | BS_GROUPBOX, "", {5, 0, 245, 100}},
        {IDC_HOLD_TIME_LABEL, "Static", kLabel, "Verbleibende Haltezeit", {115, 15, 80, 8}},
        {IDC_RECONNECT_PROGRESS, "msctls_progress32", V | WS_BORDER, "", {5, 80, 165, 10}},
    }};

const DialogSpec kModemSelect{
    IDD_MODEM_SELECT,
    "Modem auswählen",
    187,
    79,
    {
        {IDOK, "Button", V | BS_DEFPUSHBUTTON | WS_TABSTOP, "OK", {50, 58, 41, 14}},
        {IDCANCEL, "Button", BS_PUSHBUTTON | WS_TABSTOP, "Abbrechen", {130, 58, 50, 14}},
        {IDC_MODEM_LIST,
         "ListBox",
         V | LBS_NOTIFY | LBS_SORT | LBS_USETABSTOPS | LBS_NOINTEGRALHEIGHT | WS_VSCROLL |
             WS_BORDER | WS_TABSTOP,
         "",
         {7, 18, 173, 30}},
    }};

const DialogSpec kCallLog{
    IDD_CALL_LOG,
    "Rufprotokoll",
    271,
    103,
    {
        {IDOK, "Button", BS_DEFPUSHBUTTON | WS_TABSTOP, "OK", {7, 82, 50, 14}},
        {IDCANCEL, "Button", V | BS_PUSHBUTTON | WS_TABSTOP, "Abbrechen", {214, 82, 50, 14}},
        {IDC_CALL_LIST,
         "ListBox",
         V | LBS_NOTIFY | LBS_USETABSTOPS | LBS_NOINTEGRALHEIGHT | WS_VSCROLL | WS_BORDER |
             WS_TABSTOP,
         "",
         {7, 18, 257, 60}},
        {IDC_CALL_LOG_HEADER,
         "Static",
         kLabel,
         "  Datum        Uhrzeit          Nummer                    Name",
         {7, 6, 257, 8}},
    }};

INT_PTR CALLBACK PassiveDialogProc(HWND, UINT message, WPARAM, LPARAM) {
  return message == WM_INITDIALOG;
}

// One control as the template stores it (DLGITEMTEMPLATEEX), read straight from the resource:
// the platform adjusts styles of live controls (default buttons, borders, scroll bars), the
// template holds them as written.
struct TemplateItem {
  DWORD style = 0;
  int id = 0;
  RECT dialogUnits{};
  std::string windowClass;
  std::string text;  // "#174" for a resource ordinal
};

struct TemplateReader {
  const BYTE* p;

  WORD Word() {
    WORD value;
    std::memcpy(&value, p, sizeof(value));
    p += sizeof(value);
    return value;
  }
  DWORD Dword() {
    DWORD value;
    std::memcpy(&value, p, sizeof(value));
    p += sizeof(value);
    return value;
  }
  std::string Text() {  // a NUL-terminated UTF-16 text, as ANSI
    std::wstring wide;
    for (WORD c = Word(); c != 0; c = Word()) wide += static_cast<wchar_t>(c);
    std::string ansi(wide.size() * 2 + 1, '\0');
    const int length =
        WideCharToMultiByte(CP_ACP, 0, wide.c_str(), static_cast<int>(wide.size()), &ansi[0],
                            static_cast<int>(ansi.size()), nullptr, nullptr);
    ansi.resize(static_cast<size_t>(length > 0 ? length : 0));
    return ansi;
  }
  std::string TextOrOrdinal() {
    WORD first;
    std::memcpy(&first, p, sizeof(first));
    if (first == 0xFFFF) {
      Word();
      return "#" + std::to_string(Word());
    }
    return Text();
  }
  void AlignToDword(const BYTE* base) {
    while ((p - base) % 4 != 0) ++p;
  }
};

std::string PredefinedClass(const std::string& ordinal) {
  static const char* const kNames[] = {"Button",  "Edit",      "Static",
                                       "ListBox", "ScrollBar", "ComboBox"};
  if (ordinal.size() > 1 && ordinal[0] == '#') {
    const int atom = std::stoi(ordinal.substr(1));
    if (atom >= 0x80 && atom <= 0x85) return kNames[atom - 0x80];
  }
  return ordinal;
}

std::vector<TemplateItem> ReadTemplateItems(int id, std::string* caption) {
  HMODULE module = GetModuleHandleA(nullptr);
  HRSRC resource = FindResourceA(module, MAKEINTRESOURCEA(id), MAKEINTRESOURCEA(5));  // RT_DIALOG
  if (resource == nullptr) return {};
  const BYTE* base = static_cast<const BYTE*>(LockResource(LoadResource(module, resource)));
  TemplateReader in{base};
  if (in.Word() != 1 || in.Word() != 0xFFFF) return {};  // DIALOGEX only
  in.Dword();                                            // help id
  in.Dword();                                            // extended style
  const DWORD style = in.Dword();
  const WORD count = in.Word();
  for (int i = 0; i < 4; ++i) in.Word();  // x, y, cx, cy
  in.TextOrOrdinal();                     // menu
  in.TextOrOrdinal();                     // class
  *caption = in.Text();
  if (style & DS_SETFONT) {
    in.Word();  // point size
    in.Word();  // weight
    in.Word();  // italic, character set
    in.Text();  // typeface
  }
  std::vector<TemplateItem> items;
  for (WORD i = 0; i < count; ++i) {
    in.AlignToDword(base);
    TemplateItem item;
    in.Dword();  // help id
    in.Dword();  // extended style
    item.style = in.Dword();
    const short x = static_cast<short>(in.Word());
    const short y = static_cast<short>(in.Word());
    const short cx = static_cast<short>(in.Word());
    const short cy = static_cast<short>(in.Word());
    item.dialogUnits = {x, y, cx, cy};
    item.id = static_cast<int>(in.Dword());
    item.windowClass = PredefinedClass(in.TextOrOrdinal());
    item.text = in.TextOrOrdinal();
    in.p += in.Word();  // creation data
    items.push_back(item);
  }
  return items;
}

void CheckControl(HWND dialog, HWND control, const TemplateItem& item, const ControlSpec& wanted) {
  SCOPED_TRACE(testing::Message() << "control " << wanted.id << " \""
                                  << (wanted.text ? wanted.text : "(picture)") << "\"");
  // As the template holds it.
  EXPECT_EQ(wanted.id, static_cast<int>(static_cast<short>(item.id)));
  EXPECT_EQ(0, lstrcmpiA(wanted.windowClass, item.windowClass.c_str())) << item.windowClass;
  EXPECT_EQ(WS_CHILD | wanted.style, item.style) << std::hex << "template style 0x" << item.style;
  EXPECT_EQ(wanted.text ? Ansi(wanted.text) : "#" + std::to_string(IDB_LOGO), item.text);
  EXPECT_EQ(wanted.dialogUnits.left, item.dialogUnits.left);
  EXPECT_EQ(wanted.dialogUnits.top, item.dialogUnits.top);
  EXPECT_EQ(wanted.dialogUnits.right, item.dialogUnits.right);
  EXPECT_EQ(wanted.dialogUnits.bottom, item.dialogUnits.bottom);

  // As the platform made it.
  EXPECT_EQ(wanted.id, static_cast<int>(static_cast<short>(GetDlgCtrlID(control))));
  char windowClass[64] = {};
  GetClassNameA(control, windowClass, sizeof(windowClass));
  EXPECT_EQ(0, lstrcmpiA(windowClass, wanted.windowClass)) << windowClass;
  EXPECT_EQ((wanted.style & WS_VISIBLE) != 0,
            (GetWindowLongA(control, GWL_STYLE) & WS_VISIBLE) != 0);
  if (wanted.text != nullptr) {
    EXPECT_EQ(Ansi(wanted.text), fw::Window::TextOf(control));
  }
  // The platform maps position and size from dialog units each on its own.
  RECT position = {wanted.dialogUnits.left, wanted.dialogUnits.top, 0, 0};
  MapDialogRect(dialog, &position);
  RECT size = {0, 0, wanted.dialogUnits.right, wanted.dialogUnits.bottom};
  MapDialogRect(dialog, &size);
  RECT actual;
  GetWindowRect(control, &actual);
  MapWindowPoints(nullptr, dialog, reinterpret_cast<POINT*>(&actual), 2);
  EXPECT_EQ(position.left, actual.left);
  EXPECT_EQ(position.top, actual.top);
  // A picture takes the size of its bitmap; a drop-down list's template height is its list's.
  const bool picture = wanted.text == nullptr;
  const bool comboBox = lstrcmpiA(wanted.windowClass, "ComboBox") == 0;
  if (!picture) {
    EXPECT_EQ(size.right, actual.right - actual.left);
  }
  if (!picture && !comboBox) {
    EXPECT_EQ(size.bottom, actual.bottom - actual.top);
  }
}

void CheckTemplate(const DialogSpec& wanted) {
  SCOPED_TRACE(testing::Message() << "dialog " << wanted.id);
  std::string templateCaption;
  const std::vector<TemplateItem> items = ReadTemplateItems(wanted.id, &templateCaption);
  EXPECT_EQ(Ansi(wanted.caption), templateCaption);
  ASSERT_EQ(wanted.controls.size(), items.size());

  // A property page is a child window: give it a parent.
  HWND parent = CreateWindowExA(0, "Static", "", WS_POPUP, 0, 0, 800, 800, nullptr, nullptr,
                                GetModuleHandleA(nullptr), nullptr);
  HWND dialog = CreateDialogParamA(GetModuleHandleA(nullptr), MAKEINTRESOURCEA(wanted.id), parent,
                                   PassiveDialogProc, 0);
  ASSERT_NE(nullptr, dialog);

  EXPECT_EQ(Ansi(wanted.caption), fw::Window::TextOf(dialog));
  RECT size = {0, 0, wanted.width, wanted.height};
  MapDialogRect(dialog, &size);
  RECT client;
  GetClientRect(dialog, &client);
  EXPECT_EQ(size.right, client.right);
  EXPECT_EQ(size.bottom, client.bottom);

  HFONT font = reinterpret_cast<HFONT>(SendMessageA(dialog, WM_GETFONT, 0, 0));
  LOGFONTA logFont{};
  ASSERT_NE(0, GetObjectA(font, sizeof(logFont), &logFont));
  EXPECT_STREQ("MS Sans Serif", logFont.lfFaceName);

  std::vector<HWND> children;
  for (HWND child = GetWindow(dialog, GW_CHILD); child != nullptr;
       child = GetWindow(child, GW_HWNDNEXT)) {
    children.push_back(child);
  }
  ASSERT_EQ(wanted.controls.size(), children.size());
  for (size_t i = 0; i < children.size(); ++i) {
    CheckControl(dialog, children[i], items[i], wanted.controls[i]);
  }
  DestroyWindow(dialog);
  DestroyWindow(parent);
}

TEST(DialogTemplates, AboutBox) { CheckTemplate(kAbout); }
TEST(DialogTemplates, SettingsPage) { CheckTemplate(kSettingsPage); }
TEST(DialogTemplates, CallDialog) { CheckTemplate(kCallDialog); }
TEST(DialogTemplates, ModemSelection) { CheckTemplate(kModemSelect); }
TEST(DialogTemplates, CallLog) { CheckTemplate(kCallLog); }

// ---- Menu, icon, logo ----------------------------------------------------------------------

std::string MenuText(HMENU menu, UINT position) {
  char text[128] = {};
  GetMenuStringA(menu, position, text, sizeof(text), MF_BYPOSITION);
  return text;
}

TEST(TrayMenu, HasItsElevenEntriesInOrder) {
  HMENU menu = LoadMenuA(GetModuleHandleA(nullptr), MAKEINTRESOURCEA(IDR_TRAY_MENU));
  ASSERT_NE(nullptr, menu);
  EXPECT_EQ(Ansi("Ablagemenü"), MenuText(menu, 0));
  HMENU popup = GetSubMenu(menu, 0);
  ASSERT_NE(nullptr, popup);

  struct Item {
    UINT id;  // 0: separator
    const char* text;
  };
  const Item items[] = {{ID_SETTINGS, "Modem On Hold Einstellungen..."},
                        {0, ""},
                        {ID_CALL_LOG, "Rufprotokoll"},
                        {0, ""},
                        {ID_AUTOSTART, "Bei Start ausführen"},
                        {0, ""},
                        {ID_PLACE_CALL, "Anruf tätigen"},
                        {0, ""},
                        {ID_HELP, "&Hilfe"},
                        {ID_INFO, "Info"},
                        {ID_DISABLE_MOH, "Modem On Hold deaktivieren"}};
  ASSERT_EQ(static_cast<int>(std::size(items)), GetMenuItemCount(popup));
  for (UINT i = 0; i < std::size(items); ++i) {
    SCOPED_TRACE(testing::Message() << "position " << i + 1);
    MENUITEMINFOA info{};
    info.cbSize = sizeof(info);
    info.fMask = MIIM_FTYPE | MIIM_ID | MIIM_STATE;
    ASSERT_TRUE(GetMenuItemInfoA(popup, i, TRUE, &info));
    EXPECT_EQ(items[i].id == 0, (info.fType & MFT_SEPARATOR) != 0);
    if (items[i].id != 0) {
      EXPECT_EQ(0u, info.fState & (MFS_DISABLED | MFS_CHECKED | MFS_DEFAULT));
      EXPECT_EQ(items[i].id, info.wID);
      EXPECT_EQ(Ansi(items[i].text), MenuText(popup, i));
    }
  }
  DestroyMenu(menu);
}

TEST(Artwork, IconHasBothSizesAndTheLogoIs100By56) {
  for (int size : {16, 32}) {
    HICON icon =
        static_cast<HICON>(LoadImageA(GetModuleHandleA(nullptr), MAKEINTRESOURCEA(IDR_MAINFRAME),
                                      IMAGE_ICON, size, size, LR_DEFAULTCOLOR));
    ASSERT_NE(nullptr, icon) << size;
    ICONINFO info{};
    ASSERT_TRUE(GetIconInfo(icon, &info));
    BITMAP colour{};
    GetObjectA(info.hbmColor, sizeof(colour), &colour);
    EXPECT_EQ(size, colour.bmWidth);
    DeleteObject(info.hbmColor);
    DeleteObject(info.hbmMask);
    DestroyIcon(icon);
  }
  HBITMAP logo = LoadBitmapA(GetModuleHandleA(nullptr), MAKEINTRESOURCEA(IDB_LOGO));
  ASSERT_NE(nullptr, logo);
  BITMAP bitmap{};
  GetObjectA(logo, sizeof(bitmap), &bitmap);
  EXPECT_EQ(100, bitmap.bmWidth);
  EXPECT_EQ(56, bitmap.bmHeight);
  DeleteObject(logo);
}

// The version resource each shipped file carries, as the Explorer's properties page and the
// installer read it.
std::string VersionString(const std::string& file, const char* name) {
  DWORD ignored = 0;
  const DWORD size = GetFileVersionInfoSizeA(file.c_str(), &ignored);
  if (size == 0) return "<no version resource>";
  std::vector<char> data(size);
  if (!GetFileVersionInfoA(file.c_str(), 0, size, data.data())) return "<unreadable>";
  char* value = nullptr;
  UINT length = 0;
  const std::string path = std::string("\\StringFileInfo\\040704E4\\") + name;
  if (!VerQueryValueA(data.data(), path.c_str(), reinterpret_cast<void**>(&value), &length) ||
      value == nullptr) {
    return "<none>";
  }
  return std::string(value, strnlen(value, length));
}

TEST(VersionResource, EveryShippedFileSaysProductVersionAndMaker) {
  char path[MAX_PATH] = {};
  GetModuleFileNameA(nullptr, path, MAX_PATH);
  std::string dist = path;
  for (int up = 0; up < 3; ++up) dist = dist.substr(0, dist.find_last_of('\\'));
  dist += "\\dist\\";
  for (const char* file : {"Parko.exe", "MOHAPI.DLL", "DefaultDialString.dll", "mohsim.exe"}) {
    SCOPED_TRACE(file);
    EXPECT_EQ("1.68B", VersionString(dist + file, "ProductVersion"));
    EXPECT_EQ("1.68B", VersionString(dist + file, "FileVersion"));
    EXPECT_EQ("Tamrix", VersionString(dist + file, "CompanyName"));
    EXPECT_EQ("Parko", VersionString(dist + file, "ProductName"));
    EXPECT_EQ(file, VersionString(dist + file, "OriginalFilename"));
  }
}

}  // namespace
