// Where the subsystems that come after the shell plug into the main window. Each member stays empty
// until its subsystem sets it; an empty hook does nothing.
#pragma once

#include <QByteArray>
#include <QString>
#include <QWidget>

#include <functional>

namespace v38 {

class MessageSink;
class WorkerSlots;

// Device discovery and the device list.
struct DeviceListHooks {
    // Window init: the entries of the mouse and the keyboard, before any device is found.
    std::function<void()> createInitialEntries;
    // Window init: the capture thread in worker slot 0, reporting through the sink.
    std::function<void(WorkerSlots& workers, int slot, MessageSink& sink)> startCaptureThread;
    std::function<void(qintptr row)> deviceArrived;                               // message 3090
    std::function<void(qintptr row)> deviceRemoved;                               // message 3091
    std::function<void(qintptr kindIndex, qintptr show)> entryVisibility;         // message 3331
    std::function<void(qintptr kindIndex, qintptr idAndDelay)> entryTimerRequest; // message 3332
    std::function<int()> connectedDeviceCount;
    std::function<void(int step)> scrollEntries;        // "device_select_prev" -1, "device_select_next" +1
    std::function<void(QWidget* option)> entrySelected; // "device_select"
};

// The subsystems that add their own windows, threads and message handling.
struct SubsystemHooks {
    std::function<void()> openSettingsWindow;           // 3093, "setbtn", "setwnd_menu"
    std::function<void(QWidget* button)> openSkinFrame; // "skinbtn"
    std::function<void()> applySelectedProfile;         // timer 1055
    std::function<void(unsigned message, qintptr wParam, qintptr lParam)> macroRecording; // hook messages
    std::function<void(qintptr wParam, qintptr lParam)> keyCapture;            // "WM_HOOK_KEY_SINGLEKEY_MSG"
    std::function<void(bool install)> keyboardHook;                            // message 1054
    std::function<void(qintptr wParam, qintptr lParam)> gameLighting;          // "Game_*" messages
    std::function<void()> gameLightingRestore;                                 // timer 1066
    std::function<void(quint32 kind, const QByteArray& data)> audioData;       // copy-data 1 and 2
    std::function<void(WorkerSlots& workers, MessageSink& sink)> startWorkers; // slots 1 and 8
    std::function<void()> startAudioRecord;
    std::function<void()> connectAudioRecord; // with timer 1011
    std::function<void()> closeAudioRecord;   // at shutdown
    std::function<void()> loadAudioFile;      // end of window init
    std::function<void()> rebuildKeyTexts;    // after message 3089
};

} // namespace v38
