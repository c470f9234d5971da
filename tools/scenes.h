#pragma once
// The scenes of the screenshot tool: what a user does in the client before
// each picture, in the order the tool takes them (the devices' state carries
// over from one scene to the next, as it would for one user).
#include <QString>

namespace sim {
class SimServer;
}
namespace shot {
class Client;
}

namespace scenes {

// login.png, devices_bar.png
void loginAndDeviceBar(shot::Client &c, const sim::SimServer &server);
// page0/1/5.png, display_analyser_page4.png (the analyser 12001), then
// energy_page1_ceza.png (the analyser 12008); no other kind picked before, so
// no display holds another kind's value
void analyserPages(shot::Client &c);
// display_relay_page0/1/5.png, page4.png (the compensation relay 12002), then
// energy_page1_alarm.png (the relay 12005)
void relayPages(shot::Client &c);
// page3.png: the analyser's three phases requested and analysed
void waveforms(shot::Client &c);
// page8.png: every setting of the relay 12002 written, the constants read back
void settingsRoundTrip(shot::Client &c);
// page2.png: the overcurrent relay 12003
void overcurrentRelay(shot::Client &c);
// page6.png (12007), energy_page6_meter9.png (12004), energy_page6_meter10.png (12009)
void meters(shot::Client &c);
// page9.png: the pump modem 12006
void industrialModem(shot::Client &c);
// page7.png: the empty device information page, its tab revealed
void deviceInfo(shot::Client &c);
// messages.png, log.png
void messagesAndLog(shot::Client &c);
// watch.png (the compensation watch after its first sweep, the alarm list
// with two alarms acknowledged), watch_kritik.png and watch_ceza.png (the
// tray's two lists), watch_alarm_strip.png (the main window's alarm line);
// every alarm acknowledged at the end
void compensationWatch(shot::Client &c);
// login_SUFFIX.png, page0_SUFFIX.png: the runs at another scale
void scaled(shot::Client &c, const sim::SimServer &server, const QString &suffix);

} // namespace scenes
