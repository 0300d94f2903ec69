// What a user does to the running panel, through its real controls from outside its
// process: one action a step, made of the messages the control itself would send or
// get. An action the panel as it is does not allow (a disabled button, a row that is
// not there, a page behind a modal box) is skipped, as a user could not do it.
#pragma once

#include <string>
#include <vector>

#include "tests/chaos/ChaosHistory.h"
#include "tests/chaos/ChaosPanel.h"
#include "tests/chaos/ChaosWrites.h"

struct ChaosOutcome {
    std::string skipped;        // why the action could not be done; empty when it was
    ChaosExpect expect;         // what it may write
    bool broken = false;        // an invariant broke while it was done
    ChaosViolation violation;
};

class CChaosUser {
public:
    CChaosUser(CChaosPanel& panel, const CChaosHistory& history, std::string snapshotPath)
        : m_panel(panel), m_history(history), m_snapshotPath(std::move(snapshotPath))
    {
    }

    ChaosOutcome Do(const std::string& action);

    // Device rows moved since the devices page last rebuilt its list.
    bool DevicesMoved() const { return m_devicesMoved; }
    // File dialogs ended with OK so far.
    size_t FileNamesChosen() const { return m_fileNamesChosen; }
    void DevicesRebuilt() { m_devicesMoved = false; }

private:
    using Words = std::vector<std::string>;
    ChaosOutcome OnPage(const Words& w, int page);
    ChaosOutcome Devices(const Words& w);
    ChaosOutcome Channels(const Words& w, int direction);
    ChaosOutcome Synchronisation(const Words& w);
    ChaosOutcome Settings(const Words& w);
    ChaosOutcome InModal(const Words& w, HWND modal);
    ChaosOutcome InFileDialog(bool ok, HWND dialog, HWND name);
    ChaosOutcome Window(const Words& w);
    // Selects the row as a click does; false when the list has no such row.
    bool SelectRow(HWND list, int row);
    // A click on the button: skipped when it is disabled or hidden.
    ChaosOutcome Click(HWND button, ChaosExpect expect = {});
    ChaosOutcome Delivered(CChaosPanel::Delivery delivery, ChaosExpect expect, const std::string& what);
    // What the selected row of the page stands for, kept for the editor it opens.
    void NoteEditedRow(int page);

    CChaosPanel& m_panel;
    const CChaosHistory& m_history;
    std::string m_snapshotPath;
    ChaosExpect m_editor;          // what the editor that is open may write on OK
    bool m_devicesMoved = false;
    size_t m_fileNamesChosen = 0;
};
