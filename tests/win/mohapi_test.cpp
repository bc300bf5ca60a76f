// The simulated libraries as a program sees them: loaded from an installation folder with a
// mohsim.ini of the case's own, their operations taken by ordinal.
#include <windows.h>

#include <gtest/gtest.h>

#include <cstring>
#include <sstream>
#include <string>
#include <utility>
#include <vector>

#include "Driver.h"
#include "moh/MohApi.h"

namespace {

// What reached the callback, and on which thread.
struct Received {
  int code;
  int value;
  DWORD thread;
};

CRITICAL_SECTION gReceivedLock;
std::vector<Received> gReceived;

void MOHAPI_CALL RecordEvent(int code, int value) {
  EnterCriticalSection(&gReceivedLock);
  gReceived.push_back({code, value, GetCurrentThreadId()});
  LeaveCriticalSection(&gReceivedLock);
}

std::vector<Received> ReceivedSoFar() {
  EnterCriticalSection(&gReceivedLock);
  std::vector<Received> copy = gReceived;
  LeaveCriticalSection(&gReceivedLock);
  return copy;
}

std::vector<std::pair<int, int>> EventsSoFar() {
  std::vector<std::pair<int, int>> events;
  for (const Received& r : ReceivedSoFar()) events.emplace_back(r.code, r.value);
  return events;
}

bool WaitForEvents(size_t count, DWORD timeoutMs = 5000) {
  return e2e::WaitUntil([count] { return ReceivedSoFar().size() >= count; }, timeoutMs);
}

using GetVersionFn = int(MOHAPI_CALL*)();
using EnumerateFn = int(MOHAPI_CALL*)(MODEM_ENTRY*, const char*);
using InitializeFn = int(MOHAPI_CALL*)(int, MODEM_ENTRY*, MOH_EVENT_CALLBACK);
using CommandFn = int(MOHAPI_CALL*)(int, int);
using GetParamFn = int(MOHAPI_CALL*)(int, int, char*);
using SetParamFn = int(MOHAPI_CALL*)(int, int, int);
using SetParamStringFn = int(MOHAPI_CALL*)(int, int, const char*);
using InitDialFn = int(MOHAPI_CALL*)();
using GetDialFn = int(MOHAPI_CALL*)(char*);

// An export taken by ordinal, typed as the caller declares it.
template <typename Function>
Function ByOrdinal(HMODULE module, int ordinal) {
  return reinterpret_cast<Function>(
      reinterpret_cast<void*>(GetProcAddress(module, MAKEINTRESOURCEA(ordinal))));
}

// MOHAPI.DLL of one installation folder, bound by ordinal.
struct MohApi {
  HMODULE module = nullptr;
  GetVersionFn GetVersion = nullptr;
  EnumerateFn Enumerate = nullptr;
  InitializeFn Initialize = nullptr;
  CommandFn Command = nullptr;
  GetParamFn GetParam = nullptr;
  SetParamFn SetParam = nullptr;
  SetParamStringFn SetParamString = nullptr;

  bool Load(const std::string& path) {
    module = LoadLibraryA(path.c_str());
    if (module == nullptr) return false;
    GetVersion = ByOrdinal<GetVersionFn>(module, 1);
    Enumerate = ByOrdinal<EnumerateFn>(module, 2);
    Initialize = ByOrdinal<InitializeFn>(module, 3);
    Command = ByOrdinal<CommandFn>(module, 4);
    GetParam = ByOrdinal<GetParamFn>(module, 5);
    SetParam = ByOrdinal<SetParamFn>(module, 6);
    SetParamString = ByOrdinal<SetParamStringFn>(module, 7);
    return GetVersion && Enumerate && Initialize && Command && GetParam && SetParam &&
           SetParamString;
  }
  void Unload() {
    if (module != nullptr) FreeLibrary(module);
    module = nullptr;
  }
};

MODEM_ENTRY Entry(int type, const char* name, const char* port) {
  MODEM_ENTRY entry{};
  entry.Type = type;
  std::strncpy(entry.DisplayName, name, sizeof(entry.DisplayName) - 1);
  std::strncpy(entry.ComPort, port, sizeof(entry.ComPort) - 1);
  return entry;
}

class Simulator : public testing::Test {
 protected:
  void SetUpWith(const std::string& ini) {
    install_ = std::make_unique<e2e::Installation>("sim", "");
    ASSERT_TRUE(install_->Ok()) << install_->Dir();
    if (!ini.empty()) {
      ASSERT_TRUE(install_->WriteFile("mohsim.ini", ini));
    }
    ASSERT_TRUE(api_.Load(install_->PathOf("MOHAPI.DLL")));
  }
  void SetUp() override {
    InitializeCriticalSection(&gReceivedLock);
    gReceived.clear();
  }
  void TearDown() override {
    if (api_.module != nullptr) {
      api_.Command(0, MOH_CMD_CLOSE);  // stops the engine's threads before the DLL goes
      api_.Unload();
    }
    install_.reset();
    DeleteCriticalSection(&gReceivedLock);
  }

  // Brings the engine up on a TELKA modem with the automatic follow-ups immediate.
  void InitializeTelka() {
    MODEM_ENTRY entry = Entry(TELKA, "Oskavel V.92 Data Fax Modem", "COM3");
    ASSERT_NE(0, api_.Initialize(0, &entry, &RecordEvent));
  }

  // Runs mohsim.exe of the installation; its exit code, its output in *output.
  DWORD Mohsim(const std::string& arguments, std::string* output = nullptr) {
    const std::string outPath = install_->PathOf("mohsim.out");
    SECURITY_ATTRIBUTES inherit{sizeof(inherit), nullptr, TRUE};
    HANDLE out = CreateFileA(outPath.c_str(), GENERIC_WRITE, FILE_SHARE_READ, &inherit,
                             CREATE_ALWAYS, FILE_ATTRIBUTE_NORMAL, nullptr);
    STARTUPINFOA startup{};
    startup.cb = sizeof(startup);
    startup.dwFlags = STARTF_USESTDHANDLES;
    startup.hStdOutput = out;
    startup.hStdError = out;
    startup.hStdInput = nullptr;
    PROCESS_INFORMATION info{};
    DWORD code = 999;
    if (e2e::StartProgram("\"" + install_->PathOf("mohsim.exe") + "\" " + arguments,
                          install_->Dir(), true, startup, info)) {
      WaitForSingleObject(info.hProcess, 20000);
      GetExitCodeProcess(info.hProcess, &code);
      CloseHandle(info.hProcess);
      CloseHandle(info.hThread);
    }
    CloseHandle(out);
    if (output) *output = install_->ReadFile("mohsim.out");
    return code;
  }

  std::vector<std::string> JournalLines() const {
    std::vector<std::string> lines;
    std::istringstream in(install_->ReadFile("mohsim.journal"));
    for (std::string line; std::getline(in, line);) {
      if (!line.empty() && line.back() == '\r') line.pop_back();
      lines.push_back(line);
    }
    return lines;
  }

  std::unique_ptr<e2e::Installation> install_;
  MohApi api_;
};

const char* const kImmediate = "[Engine]\r\nAnswerDelayMs=0\r\nFollowUpDelayMs=0\r\n";

TEST_F(Simulator, ExportsOnlyOrdinalsAndReportsItsConfiguredVersion) {
  SetUpWith("[Library]\r\nVersion=3.7\r\n");
  EXPECT_EQ((3 << 16) | 7, api_.GetVersion());
  EXPECT_EQ(nullptr, GetProcAddress(api_.module, "MohGetVersion"));
}

TEST_F(Simulator, WithoutConfigurationOneTelkaModemOnCom3) {
  SetUpWith("");
  EXPECT_EQ((2 << 16) | 10, api_.GetVersion());
  MODEM_ENTRY table[MOH_MAX_MODEMS] = {};
  ASSERT_EQ(1, api_.Enumerate(table, ""));
  EXPECT_EQ(TELKA, table[0].Type);
  EXPECT_STREQ("Oskavel V.92 Data Fax Modem", table[0].DisplayName);
  EXPECT_STREQ("COM3", table[0].ComPort);
  EXPECT_EQ(0, table[1].Type);
  EXPECT_EQ(TELKA, api_.GetParam(0, MOH_PARAM_MODEM_TYPE, nullptr));  // the first modem's
}

TEST_F(Simulator, EnumerationNeverWritesPastTenEntriesAndBoundsNamesAndPorts) {
  std::string ini = "[Modems]\r\nCount=12\r\n";
  for (int i = 1; i <= 12; ++i) {
    ini += "[Modem" + std::to_string(i) + "]\r\nType=2\r\nName=" +
           (i == 1 ? std::string(300, 'N') : "Modem " + std::to_string(i)) +
           "\r\nPort=COM1234567\r\n";
  }
  SetUpWith(ini);
  struct {
    MODEM_ENTRY table[MOH_MAX_MODEMS];
    MODEM_ENTRY guard;
  } memory;
  std::memset(&memory, 0xAB, sizeof(memory));
  EXPECT_EQ(10, api_.Enumerate(memory.table, ""));
  EXPECT_EQ(std::string(255, 'N'), memory.table[0].DisplayName);
  EXPECT_STREQ("COM1234", memory.table[0].ComPort);
  EXPECT_STREQ("Modem 10", memory.table[9].DisplayName);
  const unsigned char* guard = reinterpret_cast<const unsigned char*>(&memory.guard);
  for (size_t i = 0; i < sizeof(memory.guard); ++i) ASSERT_EQ(0xAB, guard[i]) << i;
}

TEST_F(Simulator, EnumerationCanBeToldToClaimMoreModemsThanItWrites) {
  SetUpWith("[Library]\r\nReportCount=15\r\n");
  MODEM_ENTRY table[MOH_MAX_MODEMS] = {};
  EXPECT_EQ(15, api_.Enumerate(table, ""));
  EXPECT_EQ(0, table[1].Type);
}

TEST_F(Simulator, FailingInitialisationReportsItsEventsFromTheEngineThreadBeforeReturning) {
  SetUpWith("[Library]\r\nInitSucceeds=No\r\nInitEvents=52,55\r\n");
  MODEM_ENTRY entry = Entry(TELKA, "Oskavel", "COM3");
  EXPECT_EQ(0, api_.Initialize(0, &entry, &RecordEvent));
  const std::vector<Received> received = ReceivedSoFar();  // no waiting: already there
  ASSERT_EQ(2u, received.size());
  EXPECT_EQ(MOH_ERR_OPEN_PORT, received[0].code);
  EXPECT_EQ(MOH_ERR_FILTER_DRIVER, received[1].code);
  EXPECT_NE(GetCurrentThreadId(), received[0].thread);
  EXPECT_NE(0u, Mohsim("online"));  // a failed engine serves no control pipe
}

TEST_F(Simulator, EachCommandLeadsToWhatTheLineWouldDo) {
  SetUpWith(kImmediate);
  InitializeTelka();
  ASSERT_EQ(0u, Mohsim("online"));
  ASSERT_EQ(0u, Mohsim("call Nummer :0301234567"));
  ASSERT_TRUE(WaitForEvents(3));
  EXPECT_EQ(0, api_.Command(0, MOH_CMD_ORIGINATE));  // not while a call is offered
  api_.Command(0, MOH_CMD_ACCEPT);
  ASSERT_TRUE(WaitForEvents(4));
  api_.Command(0, MOH_CMD_RESUME_DATA);
  ASSERT_TRUE(WaitForEvents(5));
  api_.Command(0, MOH_CMD_RESTORE_ACK);
  ASSERT_TRUE(WaitForEvents(6));
  EXPECT_NE(0, api_.Command(0, MOH_CMD_ORIGINATE));
  ASSERT_TRUE(WaitForEvents(7));
  api_.Command(0, MOH_CMD_DECLINE);
  ASSERT_TRUE(WaitForEvents(8));
  api_.Command(0, MOH_CMD_DROP_DATA);
  ASSERT_TRUE(WaitForEvents(9));
  const std::vector<std::pair<int, int>> expected = {
      {MOH_MODEM_ACTIVE, 0},    {MOH_INCOMING_CALL, 1}, {MOH_GRANTED, 6},
      {MOH_SWITCH_TO_VOICE, 0}, {MOH_RESTORING, 0},     {MOH_DATA_RESUMED, 0},
      {MOH_GRANTED, 6},         {MOH_DATA_RESUMED, 0},  {MOH_DATA_DISCONNECTED, 0}};
  EXPECT_EQ(expected, EventsSoFar());
  for (const Received& r : ReceivedSoFar()) EXPECT_NE(GetCurrentThreadId(), r.thread);

  api_.Command(0, MOH_CMD_CLOSE);
  EXPECT_EQ(2u, Mohsim("online"));  // no engine answers once closed
  EXPECT_EQ(9u, ReceivedSoFar().size());
}

TEST_F(Simulator, SecondInitialisationReplacesTheFirstCleanly) {
  SetUpWith(kImmediate);
  InitializeTelka();
  MODEM_ENTRY other = Entry(NUVIA, "Anderes", "COM4");
  ASSERT_NE(0, api_.Initialize(0, &other, &RecordEvent));
  EXPECT_EQ(NUVIA, api_.GetParam(0, MOH_PARAM_MODEM_TYPE, nullptr));
  ASSERT_EQ(0u, Mohsim("online"));
  ASSERT_TRUE(WaitForEvents(1));
  EXPECT_EQ(MOH_MODEM_ACTIVE, ReceivedSoFar()[0].code);
}

// What the control line says while the library hands over the first event of its
// initialisation.
std::string gLineDuringInit;

// Records the event; asks the control line during the first one, and is slow with a call.
void MOHAPI_CALL CuriousAndSlow(int code, int value) {
  if (ReceivedSoFar().empty()) gLineDuringInit = e2e::Mohsim("status");
  if (code == MOH_INCOMING_CALL) Sleep(300);
  RecordEvent(code, value);
}

TEST_F(Simulator, TheControlLineAnswersOnceWhatWasRaisedAtOnceHasReachedTheProgram) {
  // What a test does next, as soon as the line answered, reaches the program after those events.
  SetUpWith(std::string(kImmediate) + "OnlineAfterInit=Yes\r\n");
  gLineDuringInit = "not asked";
  MODEM_ENTRY entry = Entry(TELKA, "Oskavel V.92 Data Fax Modem", "COM3");
  ASSERT_NE(0, api_.Initialize(0, &entry, &CuriousAndSlow));
  EXPECT_EQ("", gLineDuringInit);
  EXPECT_EQ((std::vector<std::pair<int, int>>{{MOH_MODEM_ACTIVE, 0}}), EventsSoFar());
  ASSERT_EQ(0u, e2e::Mohsim("call Nummer :0301234567").rfind("ok", 0));
  const std::vector<std::pair<int, int>> events = EventsSoFar();  // no waiting
  ASSERT_GE(events.size(), 2u);
  EXPECT_EQ(std::make_pair(MOH_INCOMING_CALL, 1), events[1]);
}

TEST_F(Simulator, ParametersPersistAcrossTwoLoadsAndTextsAreBounded) {
  SetUpWith("[Line]\r\nCallerId=" + std::string(300, 'c') + "\r\n");
  EXPECT_EQ(1, api_.GetParam(0, MOH_PARAM_ENABLE_MOH, nullptr));
  EXPECT_EQ(9, api_.GetParam(0, MOH_PARAM_QUICK_CONNECT, nullptr));
  EXPECT_NE(0, api_.SetParam(0, MOH_PARAM_WARN, 0));
  EXPECT_NE(0, api_.SetParam(0, MOH_PARAM_QUICK_CONNECT, 1));
  EXPECT_NE(0, api_.SetParamString(0, MOH_PARAM_DIAL_STRING, "*70#12345678901234"));
  EXPECT_EQ(0, api_.SetParam(0, MOH_PARAM_MODEM_TYPE, 3));  // read only

  char callerId[MOH_CALLER_ID_SIZE + 8];
  std::memset(callerId, '#', sizeof(callerId));
  api_.GetParam(0, MOH_PARAM_CALLER_ID_DATA, callerId);
  EXPECT_EQ(std::string(255, 'c'), callerId);
  EXPECT_EQ('#', callerId[MOH_CALLER_ID_SIZE]);

  api_.Unload();
  ASSERT_TRUE(api_.Load(install_->PathOf("MOHAPI.DLL")));
  EXPECT_EQ(0, api_.GetParam(0, MOH_PARAM_WARN, nullptr));
  EXPECT_EQ(1, api_.GetParam(0, MOH_PARAM_QUICK_CONNECT, nullptr));
  char dial[MOH_DIAL_STRING_SIZE + 4];
  std::memset(dial, '#', sizeof(dial));
  api_.GetParam(0, MOH_PARAM_DIAL_STRING, dial);
  EXPECT_STREQ("*70#12345678901", dial);
  EXPECT_EQ('#', dial[MOH_DIAL_STRING_SIZE]);
}

TEST_F(Simulator, JournalHasOneLinePerCallInOrder) {
  SetUpWith("");
  MODEM_ENTRY table[MOH_MAX_MODEMS] = {};
  api_.GetVersion();
  api_.Enumerate(table, "Oskavel");
  MODEM_ENTRY entry = Entry(TELKA, "Oskavel V.92 Data Fax Modem", "COM3");
  api_.Initialize(0, &entry, &RecordEvent);
  api_.GetParam(0, MOH_PARAM_ENABLE_MOH, nullptr);
  api_.SetParam(0, MOH_PARAM_QUICK_CONNECT, 0);
  api_.Command(0, MOH_CMD_CLOSE);
  const std::vector<std::string> expected = {
      "MohGetVersion()",
      "MoHEnumerateModems(table, name=\"Oskavel\")",
      "MohInitialize(handle=0, type=1, name=\"Oskavel V.92 Data Fax Modem\", port=\"COM3\")",
      "MohGetParam(handle=0, id=1, null)",
      "MohSetParam(handle=0, id=10, value=0)",
      "MohCommand(handle=0, command=5)"};
  EXPECT_EQ(expected, JournalLines());
}

TEST_F(Simulator, PipeRoundTripThroughMohsimAndPlayScripts) {
  SetUpWith("[Engine]\r\nAutomatic=No\r\n");
  InitializeTelka();
  std::string output;
  EXPECT_EQ(0u, Mohsim("call Datum :07.12. Nummer :0301234567", &output));
  ASSERT_TRUE(WaitForEvents(1));
  char callerId[MOH_CALLER_ID_SIZE];
  api_.GetParam(0, MOH_PARAM_CALLER_ID_DATA, callerId);
  EXPECT_STREQ("Datum :07.12. Nummer :0301234567", callerId);

  EXPECT_EQ(0u, Mohsim("status", &output));
  EXPECT_NE(std::string::npos, output.find("state call-offered")) << output;
  EXPECT_NE(std::string::npos, output.find("auto off")) << output;

  ASSERT_TRUE(install_->WriteFile("demo.txt",
                                  "# a short call\r\nonline\r\nwait 20\r\ngrant 2\r\n\r\nwarn\r\n"
                                  "event 99 7\r\n"));
  EXPECT_EQ(0u, Mohsim("play demo.txt", &output)) << output;
  ASSERT_TRUE(WaitForEvents(5));
  const std::vector<std::pair<int, int>> expected = {{MOH_INCOMING_CALL, 1},
                                                     {MOH_MODEM_ACTIVE, 0},
                                                     {MOH_GRANTED, 2},
                                                     {MOH_TIMEOUT_WARNING, 0},
                                                     {99, 7}};
  EXPECT_EQ(expected, EventsSoFar());
}

TEST_F(Simulator, BadInputChangesNothingAndLeavesTheEngineServing) {
  SetUpWith("[Engine]\r\nAutomatic=No\r\n");
  InitializeTelka();
  std::string output;
  EXPECT_EQ(1u, Mohsim("grant soon", &output));  // refused before it is sent
  EXPECT_NE(std::string::npos, output.find("usage: grant INDEX")) << output;

  // A raw client that sends a malformed line gets an error reply.
  auto rawExchange = [](const std::string& bytes, bool waitForReply) {
    HANDLE pipe = CreateFileA("\\\\.\\pipe\\mohsim", GENERIC_READ | GENERIC_WRITE, 0, nullptr,
                              OPEN_EXISTING, 0, nullptr);
    if (pipe == INVALID_HANDLE_VALUE) return std::string("<no pipe>");
    DWORD written = 0;
    WriteFile(pipe, bytes.data(), static_cast<DWORD>(bytes.size()), &written, nullptr);
    std::string reply;
    char buffer[256];
    DWORD got = 0;
    while (waitForReply && ReadFile(pipe, buffer, sizeof(buffer), &got, nullptr) && got > 0) {
      reply.append(buffer, got);
    }
    CloseHandle(pipe);
    return reply;
  };
  EXPECT_EQ("error unknown command: ring\n", rawExchange("ring twice\n", true));
  // A client that vanishes in the middle of a command.
  rawExchange("cal", false);

  EXPECT_EQ(0u, Mohsim("online", &output)) << output;
  ASSERT_TRUE(WaitForEvents(1));
  EXPECT_EQ((std::vector<std::pair<int, int>>{{MOH_MODEM_ACTIVE, 0}}), EventsSoFar());
}

TEST_F(Simulator, AThousandEventsRaisedAtOnceArriveInOrderNoneTwice) {
  SetUpWith("");
  InitializeTelka();
  ASSERT_EQ(0u, Mohsim("burst 1000 13"));
  ASSERT_TRUE(WaitForEvents(1000, 10000));
  e2e::WaitUntil([] { return false; }, 100);  // anything extra would show up now
  const std::vector<std::pair<int, int>> events = EventsSoFar();
  ASSERT_EQ(1000u, events.size());
  for (int i = 0; i < 1000; ++i) ASSERT_EQ(std::make_pair(MOH_ERROR, i), events[i]);
}

TEST_F(Simulator, DefaultDialStringLibraryByOrdinalWritesItsDefaultWholeUpToSixtyThree) {
  // Longer than the contract's 15 characters: the library overruns a buffer of that size.
  SetUpWith("[Library]\r\nDefaultDialString=" + std::string(70, '7') + "\r\n");
  HMODULE dial = LoadLibraryA(install_->PathOf("DefaultDialString.dll").c_str());
  ASSERT_NE(nullptr, dial);
  auto init = ByOrdinal<InitDialFn>(dial, 3);
  auto get = ByOrdinal<GetDialFn>(dial, 2);
  ASSERT_NE(nullptr, init);
  ASSERT_NE(nullptr, get);
  init();
  char buffer[80];
  std::memset(buffer, '#', sizeof(buffer));
  buffer[0] = '\0';
  get(buffer);
  EXPECT_EQ(std::string(63, '7'), buffer);
  EXPECT_EQ('#', buffer[64]);
  FreeLibrary(dial);
  EXPECT_EQ((std::vector<std::string>{"InitDefaultDialString()", "GetDefaultDialString(buffer)"}),
            JournalLines());
}

}  // namespace
