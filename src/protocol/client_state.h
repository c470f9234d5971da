#pragma once
#include <QByteArray>
#include <QChar>
#include <QList>
#include <QString>

// Connection-wide state, held by the main window.
//
// The device list and the message store grow as the server sends them and
// are never emptied while the program runs. Each ends at a fixed bound far
// beyond any real site; what arrives past it is dropped (the handlers say so
// in the communication log), so a server that never stops cannot exhaust the
// client's memory. The fields kept are bounded in length too.
struct ConnectionState {
    static constexpr int kMaxDevices = 10000;  // device slots 1 .. kMaxDevices
    static constexpr int kMaxMessages = 10000; // messages 0 .. kMaxMessages - 1
    // The device bar: at most this many items (it is emptied at each login)
    // in at most this many groups (groups stay from one login to the next).
    static constexpr int kMaxBarItems = kMaxDevices;
    static constexpr int kMaxGroups = 1000;
    // A device list field (group, model, name, serial) is cut to this length.
    static constexpr qsizetype kMaxDeviceFieldBytes = 256;
    // A message title and text are cut to these lengths; all stored messages
    // together take at most kMaxMessageBytes.
    static constexpr qsizetype kMaxTitleBytes = 1000;
    static constexpr qsizetype kMaxTextBytes = 1024 * 1024;
    static constexpr qsizetype kMaxMessageBytes = 32 * 1024 * 1024;

    // Slot 0: the user name of the login; slots 1 onward: device serials in
    // the order the device list named them.
    QList<QByteArray> deviceSerials{QByteArray()};
    int deviceCount = 1;   // next free slot; never reset while the program runs
    QList<QByteArray> messageTitles;
    QList<QByteArray> messageTexts;
    int messageCount = 0;
    qsizetype messageBytes = 0; // titles and texts stored so far
    QByteArray pendingRequest; // keyword of the answer expected next
    bool connected = false;
    bool deviceSlotsFullNoted = false; // the log has said that the slots are full

    // Stores a serial in the next free slot; false (nothing stored) once the
    // list is full.
    bool addDevice(const QByteArray &serial);
    // Stores a message as number messageCount; false once the store is full
    // (in number or in bytes).
    bool addMessage(const QByteArray &title, const QByteArray &text);
    // Slot i, or an empty text for a slot that holds nothing.
    QByteArray serialAt(int slot) const { return deviceSerials.value(slot); }
    QByteArray messageTitleAt(int i) const { return messageTitles.value(i); }
    QByteArray messageTextAt(int i) const { return messageTexts.value(i); }
};

// Program-wide values, one instance each.
struct ProgramState {
    int activeSerial = 12001;
    int deviceKind = 0;
    QChar decimalSeparator = QLatin1Char('.');
    QByteArray lastRemainder; // the dispatcher's no-progress memory
    // One phase's waveform answer: samples 0..63 (voltage) and 64..129
    // (current, then two trailing bytes), read by the harmonic analysis.
    std::array<double, 66> harmonicSamplesA{};
    std::array<double, 66> harmonicSamplesB{};
};

// The single instance of the program-wide values.
ProgramState &programState();
