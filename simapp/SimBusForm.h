// What the bus window's controls hold when a button is clicked, and the statement each
// button makes of it. The window exchanges the form with its controls; the builders
// need no window, so each button's statement is one small function.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

struct SimBusForm {
    int device = -1;   // the selected row of the devices, -1 for none
    int plug = 0;      // indices into kSimPlugNames, kSimPlugStates
    int plugState = 0;
    std::string plugValue;   // the error code of fail, the stream number of stream
    std::string newName;
    std::string newSerial;
    std::string newInputs;
    std::string newOutputs;
    std::string version;
    std::string rate;
    std::string rates;
    int master = 0;                    // the entry of the clock master box: 0 the PC
    std::vector<uint32_t> masterIds;   // the devices' ids after the PC's entry
    int streaming = 0;                 // check boxes: BST_UNCHECKED or BST_CHECKED
    int wdmInUse = 0;
    int buffer = 0;                    // index into SimBufferNames()
    std::string depths;
    std::string eventKind;
    std::string eventCount;
    std::string faultRequest;   // a request's name, or "open"; empty for none
    int faultKind = 0;          // index into SimFaultKindNames()
    std::string faultValue;
    int faultAlways = 0;
    std::string selectedFault;   // the line of the faults list selected, as "faults" lists it
    std::string statement;       // the Statement box
};

// The entries of the window's choice boxes, in the builders' order.
std::vector<std::string> SimBufferNames();
std::vector<std::string> SimFaultKindNames();

using SimStatementBuilder = std::string (*)(const SimBusForm& form);

std::string TypedStatement(const SimBusForm& form);
std::string UnplugStatement(const SimBusForm& form);
std::string PlugBackStatement(const SimBusForm& form);
std::string PlugStateStatement(const SimBusForm& form);
std::string AddDeviceStatement(const SimBusForm& form);
std::string UnloadStatement(const SimBusForm& form);
std::string LoadStatement(const SimBusForm& form);
std::string VersionStatement(const SimBusForm& form);
std::string RateStatement(const SimBusForm& form);
std::string RatesStatement(const SimBusForm& form);
std::string ClockStatement(const SimBusForm& form);
std::string StreamingStatement(const SimBusForm& form);
std::string WdmInUseStatement(const SimBusForm& form);
std::string DropOutStatement(const SimBusForm& form);
std::string BufferStatement(const SimBusForm& form);
std::string EventStatement(const SimBusForm& form);
std::string AddFaultStatement(const SimBusForm& form);
std::string RemoveFaultStatement(const SimBusForm& form);
std::string ClearTraceStatement(const SimBusForm& form);
