#pragma once
#include <QByteArray>
#include <QChar>
#include <QString>
#include <array>

// Connection-wide state, held by the main window.
struct ConnectionState {
    static constexpr int kSlots = 256;
    // Slot 0: the user name of the login; slots 1 onward: device serials in
    // the order the device list named them.
    std::array<QByteArray, kSlots> deviceSerials;
    int deviceCount = 1;   // next free slot; never reset while the program runs
    std::array<QByteArray, kSlots> messageTitles;
    std::array<QByteArray, kSlots> messageTexts;
    int messageCount = 0;
    QByteArray pendingRequest; // keyword of the answer expected next
    bool connected = false;
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
