#include "client_state.h"

bool ConnectionState::addDevice(const QByteArray &serial)
{
    if (deviceCount < 1 || deviceCount > kMaxDevices)
        return false;
    // The slots before deviceCount are always there: slot 0 from the start,
    // the others from earlier devices.
    while (deviceSerials.size() <= deviceCount)
        deviceSerials.append(QByteArray());
    deviceSerials[deviceCount] = serial;
    ++deviceCount;
    return true;
}

bool ConnectionState::addMessage(const QByteArray &title, const QByteArray &text)
{
    if (messageCount < 0 || messageCount >= kMaxMessages)
        return false;
    while (messageTitles.size() <= messageCount)
        messageTitles.append(QByteArray());
    while (messageTexts.size() <= messageCount)
        messageTexts.append(QByteArray());
    messageTitles[messageCount] = title;
    messageTexts[messageCount] = text;
    ++messageCount;
    return true;
}

ProgramState &programState()
{
    static ProgramState state;
    return state;
}
