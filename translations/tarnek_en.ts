<?xml version="1.0" encoding="utf-8"?>
<!DOCTYPE TS>
<TS version="2.1" language="en" sourcelanguage="tr_TR">
<context>
    <name>AlarmTableModel</name>
    <message>
        <source>Zaman</source>
        <translation>Time</translation>
    </message>
    <message>
        <source>Cihaz</source>
        <translation>Device</translation>
    </message>
    <message>
        <source>Oran</source>
        <translation>Ratio</translation>
    </message>
    <message>
        <source>Durum</source>
        <translation>Status</translation>
    </message>
    <message>
        <source>Oran %</source>
        <translation>Ratio %</translation>
    </message>
    <message>
        <source>Onay</source>
        <translation>Acknowledged</translation>
    </message>
    <message>
        <source>%1 (%2)</source>
        <translation>%1 (%2)</translation>
    </message>
    <message>
        <source>Onaylandı %1</source>
        <translation>Acknowledged %1</translation>
    </message>
</context>
<context>
    <name>AnalyserPage</name>
    <message>
        <source>Satır:</source>
        <translation>Row:</translation>
    </message>
    <message>
        <source>Aktif Cihaz:</source>
        <translation>Active device:</translation>
    </message>
    <message>
        <source>2 kere veri iste</source>
        <translation>Request data twice</translation>
    </message>
    <message>
        <source>Gerilim </source>
        <translation>Voltage </translation>
    </message>
    <message>
        <source>Akım </source>
        <translation>Current </translation>
    </message>
    <message>
        <source>Aktif Güçler </source>
        <translation>Active Power </translation>
    </message>
    <message>
        <source>Reaktif Güçler </source>
        <translation>Reactive Power </translation>
    </message>
    <message>
        <source>Görünen Güçler </source>
        <translation>Apparent Power </translation>
    </message>
    <message>
        <source>sn</source>
        <translation>s</translation>
    </message>
    <message>
        <source>On Süreleri </source>
        <translation>On Times </translation>
    </message>
    <message>
        <source>Off Süreleri </source>
        <translation>Off Times </translation>
    </message>
    <message>
        <source>İndüktif / Aktif Güç Oranı </source>
        <translation>Inductive / Active Ratio </translation>
    </message>
    <message>
        <source>Kapasitif / Aktif Güç Oranı </source>
        <translation>Capacitive / Active Ratio </translation>
    </message>
    <message>
        <source>KAPASİTİF</source>
        <translation>CAPACITIVE</translation>
    </message>
    <message>
        <source>İNDÜKTİF</source>
        <translation>INDUCTIVE</translation>
    </message>
    <message>
        <source>Frekans:</source>
        <translation>Frequency:</translation>
    </message>
    <message>
        <source>Sıcaklık:</source>
        <translation>Temperature:</translation>
    </message>
    <message>
        <source>Akım Trafosu Yönleri</source>
        <translation>CT Directions</translation>
    </message>
    <message>
        <source>öğrenildi</source>
        <translation>learnt</translation>
    </message>
    <message>
        <source>yön</source>
        <translation>direction</translation>
    </message>
    <message>
        <source>Akım Trafosu Oranı:</source>
        <translation>CT ratio:</translation>
    </message>
    <message>
        <source>Kondansatör Güç Öğrenme / Devrede</source>
        <translation>Capacitor Steps: Power Learnt / Switched In</translation>
    </message>
    <message>
        <source>Durum</source>
        <translation>State</translation>
    </message>
    <message>
        <source>G.Ö.</source>
        <translation>Learnt</translation>
    </message>
    <message>
        <source>Kondansatörleri Devreye Al-Çıkar</source>
        <translation>Switch Capacitors In/Out</translation>
    </message>
</context>
<context>
    <name>AppOptions</name>
    <message>
        <source>Uzaktan izleme ve ayar istemcisi.</source>
        <translation>Remote monitoring and configuration client.</translation>
    </message>
    <message>
        <source>Beklenmeyen argüman: %1</source>
        <translation>Unexpected argument: %1</translation>
    </message>
    <message>
        <source>--host için bir sunucu adı gerekli.</source>
        <translation>--host needs a server name.</translation>
    </message>
    <message>
        <source>--user için bir kullanıcı adı gerekli.</source>
        <translation>--user needs a user name.</translation>
    </message>
    <message>
        <source>--history için bir dosya veya adres gerekli.</source>
        <translation>--history needs a file or an address.</translation>
    </message>
    <message>
        <source>Geçersiz port numarası: %1 (1-65535 olmalı).</source>
        <translation>Invalid port number: %1 (must be 1-65535).</translation>
    </message>
    <message>
        <source>Geçersiz dil: %1 (tr veya en olmalı).</source>
        <translation>Invalid language: %1 (must be tr or en).</translation>
    </message>
    <message>
        <source>Bu yardımı gösterir.</source>
        <translation>Shows this help.</translation>
    </message>
    <message>
        <source>Sürümü gösterir.</source>
        <translation>Shows the version.</translation>
    </message>
    <message>
        <source>Bağlanılacak sunucu adı veya adresi.</source>
        <translation>Name or address of the server to connect to.</translation>
    </message>
    <message>
        <source>sunucu</source>
        <translation>server</translation>
    </message>
    <message>
        <source>Sunucunun port numarası (1-65535).</source>
        <translation>Port number of the server (1-65535).</translation>
    </message>
    <message>
        <source>port</source>
        <translation>port</translation>
    </message>
    <message>
        <source>Giriş penceresine yazılacak kullanıcı adı.</source>
        <translation>User name to fill in on the login window.</translation>
    </message>
    <message>
        <source>kullanıcı</source>
        <translation>user</translation>
    </message>
    <message>
        <source>Arayüz dili: tr veya en.</source>
        <translation>Interface language: tr or en.</translation>
    </message>
    <message>
        <source>dil</source>
        <translation>language</translation>
    </message>
    <message>
        <source>Açılacak geçmiş dosyası veya adresi.</source>
        <translation>History file or address to open.</translation>
    </message>
    <message>
        <source>dosya|adres</source>
        <translation>file|address</translation>
    </message>
    <message>
        <source>Bildirim alanında başlar (bildirim alanı yoksa simge durumunda).</source>
        <translation>Starts in the notification area (minimized if there is no notification area).</translation>
    </message>
</context>
<context>
    <name>AutoReconnect</name>
    <message>
        <source>Otomatik Yeniden Bağlan</source>
        <translation>Reconnect Automatically</translation>
    </message>
    <message>
        <source>Sunucuyla bağlantı kesildi; yeniden bağlanılacak.</source>
        <translation>Disconnected from the server; reconnecting.</translation>
    </message>
    <message>
        <source>Sunucuya yeniden bağlanıldı (%1. deneme).</source>
        <translation>Reconnected to the server (attempt %1).</translation>
    </message>
    <message>
        <source>Yeniden bağlanıldı.</source>
        <translation>Reconnected.</translation>
    </message>
    <message>
        <source>&lt;&lt;&lt;&lt;&lt;&lt;&lt;%1 Bağlantı kesildi.&gt;&gt;&gt;&gt;&gt;&gt;&gt;&gt;&gt;</source>
        <translation>&lt;&lt;&lt;&lt;&lt;&lt;&lt;%1 Disconnected.&gt;&gt;&gt;&gt;&gt;&gt;&gt;&gt;&gt;</translation>
    </message>
</context>
<context>
    <name>AutoRefreshMenu</name>
    <message>
        <source>Otomatik Yenile</source>
        <translation>Auto Refresh</translation>
    </message>
    <message>
        <source>Yenileme Aralığı</source>
        <translation>Refresh Interval</translation>
    </message>
    <message>
        <source>Yenileme aralığı (saniye)</source>
        <translation>Refresh interval (seconds)</translation>
    </message>
    <message>
        <source> sn</source>
        <translation> s</translation>
    </message>
</context>
<context>
    <name>CapacitorPage</name>
    <message>
        <source>Tpl</source>
        <translation>Tot</translation>
    </message>
    <message>
        <source>Yaz</source>
        <translation>Write</translation>
    </message>
    <message>
        <source>Kondansatör güç değerlerini oku</source>
        <translation>Read capacitor power values</translation>
    </message>
</context>
<context>
    <name>ClientRecording</name>
    <message>
        <source>Geçmiş kaydedilmiyor: %1</source>
        <translation>History is not being recorded: %1</translation>
    </message>
</context>
<context>
    <name>Commands</name>
    <message>
        <source>&apos;%1&apos; geçerli bir tam sayı değeri değil.</source>
        <translation>&apos;%1&apos; is not a valid whole number.</translation>
    </message>
    <message>
        <source>&apos;%1&apos; geçerli bir sayı değeri değil.</source>
        <translation>&apos;%1&apos; is not a valid number.</translation>
    </message>
</context>
<context>
    <name>ConnectionMessages</name>
    <message>
        <source>başlık</source>
        <translation>title</translation>
    </message>
    <message>
        <source>metin</source>
        <translation>text</translation>
    </message>
    <message>
        <source>grup</source>
        <translation>group</translation>
    </message>
    <message>
        <source>model</source>
        <translation>model</translation>
    </message>
    <message>
        <source>ad</source>
        <translation>name</translation>
    </message>
    <message>
        <source>seri no</source>
        <translation>serial number</translation>
    </message>
    <message>
        <source>%1: %2 bayt uzunluğundaki %3 alanının ilk %4 baytı alındı.</source>
        <translation>%1: only the first %4 bytes of the %2-byte %3 field were kept.</translation>
    </message>
    <message>
        <source>Pong</source>
        <translation>Pong</translation>
    </message>
    <message>
        <source>Bağlantı Kuruldu</source>
        <translation>Connected</translation>
    </message>
    <message>
        <source>Yeni Mesajınız Var...</source>
        <translation>You have a new message...</translation>
    </message>
    <message>
        <source>Yeni mesajlarınız alınıyor...  Mesaj No: %1</source>
        <translation>Receiving your new messages...  Message no. %1</translation>
    </message>
    <message>
        <source>%1 mesajdan fazlası saklanamıyor; &quot;%2&quot; başlıklı mesaj atıldı.</source>
        <translation>No more than %1 messages can be kept; the message &quot;%2&quot; was dropped.</translation>
    </message>
    <message>
        <source>Saklanan mesajlar %1 MB&apos;ı dolduruyor; &quot;%2&quot; başlıklı mesaj atıldı.</source>
        <translation>The stored messages fill %1 MB; the message &quot;%2&quot; was dropped.</translation>
    </message>
    <message>
        <source>%1 Seri Nolu cihaz hatta değil. Lütfen 4 dakika sonra tekrar deneyin...</source>
        <translation>Device %1 is not online. Please try again in 4 minutes...</translation>
    </message>
    <message>
        <source>Cihaz listesi alınıyor. </source>
        <translation>Receiving the device list. </translation>
    </message>
    <message>
        <source>%1 cihaz seri numarası saklandı; %2 ve sonraki seri numaraları saklanmıyor (cihazlar listede gösterilmeye devam ediyor).</source>
        <translation>%1 device serial numbers are stored; %2 and the serial numbers after it are not (the devices are still shown in the list).</translation>
    </message>
    <message>
        <source>Cihaz listesi dolu (%1 cihaz, %2 grup); %3 seri nolu cihaz listelenmedi.</source>
        <translation>The device list is full (%1 devices, %2 groups); device %3 was not listed.</translation>
    </message>
</context>
<context>
    <name>ConsumptionPage</name>
    <message>
        <source>Toplam Oranlar</source>
        <translation>Total Ratios</translation>
    </message>
    <message>
        <source>İndüktif / Aktif Oran</source>
        <translation>Inductive / Active Ratio</translation>
    </message>
    <message>
        <source>Kapasitif / Aktif Oran</source>
        <translation>Capacitive / Active Ratio</translation>
    </message>
    <message>
        <source>Reset Öncesi Sayaç Değerleri </source>
        <translation>Meter Values Before Reset </translation>
    </message>
    <message>
        <source>Aktif</source>
        <translation>Active</translation>
    </message>
    <message>
        <source>İndüktif</source>
        <translation>Inductive</translation>
    </message>
    <message>
        <source>Kapasitif</source>
        <translation>Capacitive</translation>
    </message>
    <message>
        <source>DURUM</source>
        <translation>STATUS</translation>
    </message>
    <message>
        <source>İki Tarih Arası Oranlar</source>
        <translation>Ratios Between Two Dates</translation>
    </message>
    <message>
        <source>İlk Tarih</source>
        <translation>First Date</translation>
    </message>
    <message>
        <source>Son Tarih</source>
        <translation>Last Date</translation>
    </message>
    <message>
        <source>İki Tarih Arası Oranları Hesapla</source>
        <translation>Calculate Ratios Between Dates</translation>
    </message>
    <message>
        <source>Alınma Saati</source>
        <translation>Received At</translation>
    </message>
    <message>
        <source>Tarih</source>
        <translation>Date</translation>
    </message>
    <message>
        <source>Aktif (kWh)</source>
        <translation>Active (kWh)</translation>
    </message>
    <message>
        <source>İndüktif (kVArh)</source>
        <translation>Inductive (kVArh)</translation>
    </message>
    <message>
        <source>Kapasitif (kVArh)</source>
        <translation>Capacitive (kVArh)</translation>
    </message>
    <message>
        <source>İndüktif / Aktif Oran (%)</source>
        <translation>Inductive / Active Ratio (%)</translation>
    </message>
    <message>
        <source>Kapasitif / Aktif Oran (%)</source>
        <translation>Capacitive / Active Ratio (%)</translation>
    </message>
    <message>
        <source>Enerji Değerlerini İste</source>
        <translation>Request Energy Values</translation>
    </message>
    <message>
        <source>Seri No</source>
        <translation>Serial No.</translation>
    </message>
    <message>
        <source>enerji_degerleri.csv</source>
        <translation>energy_values.csv</translation>
    </message>
</context>
<context>
    <name>DeviceData</name>
    <message>
        <source>%1 Seri Nolu Cihazın ölçüm değerleri alınıyor. </source>
        <translation>Receiving the measurements of device %1. </translation>
    </message>
    <message>
        <source>%1 Nolu Cihaz Verileri</source>
        <translation>Device %1 Data</translation>
    </message>
    <message>
        <source>%1 Seri Nolu Cihazın tüketim değerleri alınıyor. </source>
        <translation>Receiving the consumption values of device %1. </translation>
    </message>
    <message>
        <source>%1 Nolu Cihaz Tüketim Verileri</source>
        <translation>Device %1 Consumption Data</translation>
    </message>
    <message>
        <source>%1 Seri Nolu Cihazın harmonikzorv değerleri alınıyor. </source>
        <translation>Receiving the harmonic table of device %1. </translation>
    </message>
    <message>
        <source>%1 Nolu Cihaz harmonikzorv Verileri</source>
        <translation>Device %1 Harmonic Table</translation>
    </message>
    <message>
        <source>%1 Seri Nolu Cihazın sabit değerleri alınıyor. </source>
        <translation>Receiving the settings of device %1. </translation>
    </message>
    <message>
        <source>%1 Seri Nolu Cihazın kondansatör durum ve güç değerleri alınıyor. </source>
        <translation>Receiving the capacitor states and powers of device %1. </translation>
    </message>
    <message>
        <source>%1 nolu cihaz kondansatör bilgileri</source>
        <translation>Device %1 Capacitor Data</translation>
    </message>
    <message>
        <source>Aktif</source>
        <translation>On</translation>
    </message>
    <message>
        <source>Pasif</source>
        <translation>Off</translation>
    </message>
    <message>
        <source>%1 Seri Nolu Cihazın röle durumları alınıyor. </source>
        <translation>Receiving the relay states of device %1. </translation>
    </message>
    <message>
        <source>%1 Nolu Cihaz röle durumları</source>
        <translation>Device %1 Relay States</translation>
    </message>
</context>
<context>
    <name>DeviceSelection</name>
    <message>
        <source>Lütfen bekleyin...</source>
        <translation>Please wait...</translation>
    </message>
    <message>
        <source>Aktif Cihaz: %1</source>
        <translation>Active device: %1</translation>
    </message>
</context>
<context>
    <name>Display</name>
    <message>
        <source>Aktif</source>
        <translation>Active</translation>
    </message>
    <message>
        <source>Pasif</source>
        <translation>Inactive</translation>
    </message>
</context>
<context>
    <name>EnergyBands</name>
    <message>
        <source>NORMAL</source>
        <translation>NORMAL</translation>
    </message>
    <message>
        <source>KRİTİK</source>
        <translation>CRITICAL</translation>
    </message>
    <message>
        <source>ALARM</source>
        <translation>ALARM</translation>
    </message>
    <message>
        <source>CEZA</source>
        <translation>PENALTY</translation>
    </message>
</context>
<context>
    <name>EnergyMessages</name>
    <message>
        <source>%1 Cihazının %2 ve %3 tarihleri arası Enerji bilgileri alınıyor. </source>
        <translation>Receiving the energy of device %1 between %2 and %3. </translation>
    </message>
    <message>
        <source>%1 Seri Nolu sayaç değerleri alınıyor. </source>
        <translation>Receiving the values of meter %1. </translation>
    </message>
    <message>
        <source>%1 Nolu Sayaç Değerleri</source>
        <translation>Meter %1 Values</translation>
    </message>
    <message>
        <source>%1 Enerji bilgileri alınıyor. </source>
        <translation>Receiving the energy data of device %1. </translation>
    </message>
    <message>
        <source>cihazenerji: %1 cihazının enerji özeti 1 ile 250 arasında olmayan bir satırı gösteriyor; saklanmadı.</source>
        <translation>cihazenerji: the energy summary of device %1 names a row outside 1 to 250; it was not stored.</translation>
    </message>
    <message>
        <source>%1 Seri Nolu Cihazın sayac endeksi gönderiliyor. </source>
        <translation>Receiving the meter index of device %1. </translation>
    </message>
</context>
<context>
    <name>ExportTables</name>
    <message>
        <source>Cihaz</source>
        <translation>Device</translation>
    </message>
    <message>
        <source>Seri No</source>
        <translation>Serial No.</translation>
    </message>
    <message>
        <source>Aktif enerji</source>
        <translation>Active energy</translation>
    </message>
    <message>
        <source>R</source>
        <translation>R</translation>
    </message>
    <message>
        <source>S</source>
        <translation>S</translation>
    </message>
    <message>
        <source>T</source>
        <translation>T</translation>
    </message>
    <message>
        <source>Toplam</source>
        <translation>Total</translation>
    </message>
    <message>
        <source>İndüktif reaktif enerji</source>
        <translation>Inductive reactive energy</translation>
    </message>
    <message>
        <source>Kapasitif reaktif enerji</source>
        <translation>Capacitive reactive energy</translation>
    </message>
    <message>
        <source>Toplam oranlar</source>
        <translation>Total ratios</translation>
    </message>
    <message>
        <source>İndüktif / Aktif</source>
        <translation>Inductive / Active</translation>
    </message>
    <message>
        <source>Kapasitif / Aktif</source>
        <translation>Capacitive / Active</translation>
    </message>
    <message>
        <source>Reset öncesi sayaç değerleri</source>
        <translation>Meter values before reset</translation>
    </message>
    <message>
        <source>Aktif</source>
        <translation>Active</translation>
    </message>
    <message>
        <source>İndüktif</source>
        <translation>Inductive</translation>
    </message>
    <message>
        <source>Kapasitif</source>
        <translation>Capacitive</translation>
    </message>
    <message>
        <source>İlk tarih</source>
        <translation>First date</translation>
    </message>
    <message>
        <source>Tarih</source>
        <translation>Date</translation>
    </message>
    <message>
        <source>Son tarih</source>
        <translation>Last date</translation>
    </message>
    <message>
        <source>İki tarih arası</source>
        <translation>Between the two dates</translation>
    </message>
    <message>
        <source>İndüktif durum</source>
        <translation>Inductive status</translation>
    </message>
    <message>
        <source>Kapasitif durum</source>
        <translation>Capacitive status</translation>
    </message>
    <message>
        <source>Sayaç</source>
        <translation>Meter</translation>
    </message>
    <message>
        <source>Başlık</source>
        <translation>Title</translation>
    </message>
    <message>
        <source>Sayaç endeks değerleri</source>
        <translation>Meter index values</translation>
    </message>
    <message>
        <source>Aktif toplam (1.8.0)</source>
        <translation>Active total (1.8.0)</translation>
    </message>
    <message>
        <source>İndüktif toplam (5.8.0)</source>
        <translation>Inductive total (5.8.0)</translation>
    </message>
    <message>
        <source>Kapasitif toplam (8.8.0)</source>
        <translation>Capacitive total (8.8.0)</translation>
    </message>
    <message>
        <source>Aktif değerler</source>
        <translation>Active energy by tariff</translation>
    </message>
    <message>
        <source>Saat</source>
        <translation>Time</translation>
    </message>
    <message>
        <source>Grup</source>
        <translation>Group</translation>
    </message>
    <message>
        <source>Büyüklük</source>
        <translation>Quantity</translation>
    </message>
    <message>
        <source>Değer</source>
        <translation>Value</translation>
    </message>
    <message>
        <source>Birim</source>
        <translation>Unit</translation>
    </message>
    <message>
        <source>Okunan veriler</source>
        <translation>Readout</translation>
    </message>
    <message>
        <source>Derece</source>
        <translation>Order</translation>
    </message>
    <message>
        <source>Gerilim</source>
        <translation>Voltage</translation>
    </message>
    <message>
        <source>Akım</source>
        <translation>Current</translation>
    </message>
    <message>
        <source>%1 L%2</source>
        <translation>%1 L%2</translation>
    </message>
    <message>
        <source>THD %</source>
        <translation>THD %</translation>
    </message>
    <message>
        <source>Harmonik</source>
        <translation>Harmonic</translation>
    </message>
    <message>
        <source>Gerilim L%1</source>
        <translation>Voltage L%1</translation>
    </message>
    <message>
        <source>Akım L%1</source>
        <translation>Current L%1</translation>
    </message>
    <message>
        <source>Satır</source>
        <translation>Line</translation>
    </message>
</context>
<context>
    <name>ExportText</name>
    <message>
        <source>Dışa Aktar...</source>
        <translation>Export...</translation>
    </message>
    <message>
        <source>Gösterilen değerleri CSV dosyasına yazar</source>
        <translation>Writes the values shown to a CSV file</translation>
    </message>
    <message>
        <source>Dışa Aktar</source>
        <translation>Export</translation>
    </message>
    <message>
        <source>CSV dosyaları (*.csv)</source>
        <translation>CSV files (*.csv)</translation>
    </message>
    <message>
        <source>Tüm dosyalar (*)</source>
        <translation>All files (*)</translation>
    </message>
    <message>
        <source>%1 dosyasına yazılamadı: %2</source>
        <translation>Could not write to %1: %2</translation>
    </message>
</context>
<context>
    <name>FrmTrend</name>
    <message>
        <source>Eğilim Grafikleri</source>
        <translation>Trend Charts</translation>
    </message>
    <message>
        <source>Aralık:</source>
        <translation>Range:</translation>
    </message>
    <message>
        <source>Tümünü Göster</source>
        <translation>Show All</translation>
    </message>
    <message>
        <source>egilim.csv</source>
        <translation>trend.csv</translation>
    </message>
    <message>
        <source>Cihazlar ve büyüklükler</source>
        <translation>Devices and quantities</translation>
    </message>
    <message>
        <source>Eğilim grafiği</source>
        <translation>Trend chart</translation>
    </message>
    <message>
        <source>Seri</source>
        <translation>Series</translation>
    </message>
    <message>
        <source>En küçük</source>
        <translation>Minimum</translation>
    </message>
    <message>
        <source>Ortalama</source>
        <translation>Average</translation>
    </message>
    <message>
        <source>En büyük</source>
        <translation>Maximum</translation>
    </message>
    <message>
        <source>Birim</source>
        <translation>Unit</translation>
    </message>
    <message>
        <source>Sol tuşla sürükleyin: yakınlaştırır · sağ ya da orta tuşla sürükleyin: kaydırır · tekerlek: yakınlaştırır, uzaklaştırır · çift tıklama: tümü</source>
        <translation>Drag with the left button: zoom in · drag with the right or middle button: pan · wheel: zoom in and out · double-click: show all</translation>
    </message>
    <message>
        <source>henüz kayıt yok</source>
        <translation>nothing recorded yet</translation>
    </message>
    <message>
        <source>Veritabanı: %1 · %2</source>
        <translation>Database: %1 · %2</translation>
    </message>
    <message>
        <source>%1 · ilk kayıt %2 · son kayıt %3</source>
        <translation>%1 · first record %2 · last record %3</translation>
    </message>
    <message>
        <source>Özel aralık</source>
        <translation>Custom range</translation>
    </message>
    <message>
        <source>Başlangıç:</source>
        <translation>From:</translation>
    </message>
    <message>
        <source>Bitiş:</source>
        <translation>To:</translation>
    </message>
    <message>
        <source>Tamam</source>
        <translation>OK</translation>
    </message>
    <message>
        <source>Vazgeç</source>
        <translation>Cancel</translation>
    </message>
    <message>
        <source>%1 – %2</source>
        <translation>%1 – %2</translation>
    </message>
    <message>
        <source>%1: %2</source>
        <translation>%1: %2</translation>
    </message>
</context>
<context>
    <name>HarmonicChart</name>
    <message>
        <source>%1 için H1: %2</source>
        <translation>H1 of %1: %2</translation>
    </message>
</context>
<context>
    <name>HarmonicCommands</name>
    <message>
        <source>Faz1 harmonik değerleri istendi.Lütfen bekleyin...</source>
        <translation>Phase 1 harmonics requested. Please wait...</translation>
    </message>
    <message>
        <source>Faz2 harmonik değerleri istendi.Lütfen bekleyin...</source>
        <translation>Phase 2 harmonics requested. Please wait...</translation>
    </message>
    <message>
        <source>Faz3 harmonik değerleri istendi.Lütfen bekleyin...</source>
        <translation>Phase 3 harmonics requested. Please wait...</translation>
    </message>
    <message>
        <source>harmonikzorv durumları istendi.Lütfen bekleyin...</source>
        <translation>Harmonic table requested. Please wait...</translation>
    </message>
</context>
<context>
    <name>HarmonicTablePage</name>
    <message>
        <source>3rd</source>
        <translation>3rd</translation>
    </message>
    <message>
        <source>5th</source>
        <translation>5th</translation>
    </message>
    <message>
        <source>7th</source>
        <translation>7th</translation>
    </message>
    <message>
        <source>9th</source>
        <translation>9th</translation>
    </message>
    <message>
        <source>11th</source>
        <translation>11th</translation>
    </message>
    <message>
        <source>13th</source>
        <translation>13th</translation>
    </message>
    <message>
        <source>15th</source>
        <translation>15th</translation>
    </message>
    <message>
        <source>17th</source>
        <translation>17th</translation>
    </message>
    <message>
        <source>19th</source>
        <translation>19th</translation>
    </message>
    <message>
        <source>21th</source>
        <translation>21st</translation>
    </message>
    <message>
        <source>23th</source>
        <translation>23rd</translation>
    </message>
    <message>
        <source>25th</source>
        <translation>25th</translation>
    </message>
    <message>
        <source>27th</source>
        <translation>27th</translation>
    </message>
    <message>
        <source>29th</source>
        <translation>29th</translation>
    </message>
    <message>
        <source>31th</source>
        <translation>31st</translation>
    </message>
    <message>
        <source>BH</source>
        <translation>H1</translation>
    </message>
    <message>
        <source>Harmonik Değerlerini İste</source>
        <translation>Request Harmonic Values</translation>
    </message>
    <message>
        <source>Gerilim</source>
        <translation>Voltage</translation>
    </message>
    <message>
        <source>Akım</source>
        <translation>Current</translation>
    </message>
    <message>
        <source>harmonik_tablosu.csv</source>
        <translation>harmonic_table.csv</translation>
    </message>
</context>
<context>
    <name>Language</name>
    <message>
        <source>Dil seçimi programın bir sonraki açılışında geçerli olur.</source>
        <translation>The language you chose takes effect the next time the program starts.</translation>
    </message>
</context>
<context>
    <name>LoginMemory</name>
    <message>
        <source>   Anahtarlık yok: şifre hatırlanmaz</source>
        <translation>   No keyring: the password will not be remembered</translation>
    </message>
</context>
<context>
    <name>MainPages</name>
    <message>
        <source>Analizör-Ani Değerler</source>
        <translation>Analyser: Live Values</translation>
    </message>
    <message>
        <source>Analizör-Tüketim Değerleri</source>
        <translation>Analyser: Consumption</translation>
    </message>
    <message>
        <source>Aşırı Akım Rölesi</source>
        <translation>Overcurrent Relay</translation>
    </message>
    <message>
        <source>Harmonikler</source>
        <translation>Harmonics</translation>
    </message>
    <message>
        <source>Kondansatör Durumları</source>
        <translation>Capacitor States</translation>
    </message>
    <message>
        <source>Sayaç Okuma</source>
        <translation>Meter Reading</translation>
    </message>
    <message>
        <source>Cihaz Bilgileri</source>
        <translation>Device Information</translation>
    </message>
    <message>
        <source>Ayarlar</source>
        <translation>Settings</translation>
    </message>
    <message>
        <source>Endüstriyel Modem</source>
        <translation>Industrial Modem</translation>
    </message>
</context>
<context>
    <name>MeterCommands</name>
    <message>
        <source>Sayaç okuma isteği gönderildi.Lütfen bekleyin...</source>
        <translation>Meter reading request sent. Please wait...</translation>
    </message>
    <message>
        <source>DİKKAT
<byte value="xd"/>Tedaş Okuma Kaydı ?
<byte value="xd"/>Yes tıklanırsa Kayıt işlemi gerçekleşir
<byte value="xd"/>No tıklanırsa Sadece Okuma yapılır ve oranlar tespit edilir</source>
        <translation>WARNING
<byte value="xd"/>Record this as a TEDAŞ reading?
<byte value="xd"/>Yes: the reading is recorded
<byte value="xd"/>No: the meter is only read and the ratios are worked out</translation>
    </message>
    <message>
        <source>Tüketim verileri istendi.Lütfen bekleyin...</source>
        <translation>Consumption data requested. Please wait...</translation>
    </message>
</context>
<context>
    <name>MeterReadingPage</name>
    <message>
        <source>    Sayaç Endeks Değerleri   </source>
        <translation>    Meter Index Values   </translation>
    </message>
    <message>
        <source>Aktif Toplam (1.8.0)</source>
        <translation>Active Total (1.8.0)</translation>
    </message>
    <message>
        <source>İndüktif Toplam (5.8.0)</source>
        <translation>Inductive Total (5.8.0)</translation>
    </message>
    <message>
        <source>Kapasitif Toplam (8.8.0)</source>
        <translation>Capacitive Total (8.8.0)</translation>
    </message>
    <message>
        <source>Aktif Değerler</source>
        <translation>Active Energy by Tariff</translation>
    </message>
    <message>
        <source>İlk Tarih</source>
        <translation>First Date</translation>
    </message>
    <message>
        <source>Son Tarih</source>
        <translation>Last Date</translation>
    </message>
    <message>
        <source>Tarih Arası Oranları Hesapla</source>
        <translation>Calculate Ratios Between Dates</translation>
    </message>
    <message>
        <source>Tarih</source>
        <translation>Date</translation>
    </message>
    <message>
        <source>Aktif (kWh)</source>
        <translation>Active (kWh)</translation>
    </message>
    <message>
        <source>İndüktif (kVArh)</source>
        <translation>Inductive (kVArh)</translation>
    </message>
    <message>
        <source>Kapasitif (kVArh)</source>
        <translation>Capacitive (kVArh)</translation>
    </message>
    <message>
        <source>İndüktif / Aktif (%)</source>
        <translation>Inductive / Active (%)</translation>
    </message>
    <message>
        <source>DURUM</source>
        <translation>STATUS</translation>
    </message>
    <message>
        <source>Kapasitif / Aktif (%)</source>
        <translation>Capacitive / Active (%)</translation>
    </message>
    <message>
        <source>Seri No</source>
        <translation>Serial No.</translation>
    </message>
    <message>
        <source>Saat</source>
        <translation>Time</translation>
    </message>
    <message>
        <source>Sayaç Oku</source>
        <translation>Read Meter</translation>
    </message>
    <message>
        <source>Tedaş Okuma</source>
        <translation>TEDAŞ Reading</translation>
    </message>
    <message>
        <source>Sayaç Değerleri</source>
        <translation>Meter Values</translation>
    </message>
    <message>
        <source>Okunan Veriler</source>
        <translation>Readout</translation>
    </message>
    <message>
        <source>sayac_okuma.csv</source>
        <translation>meter_reading.csv</translation>
    </message>
</context>
<context>
    <name>ModemPage</name>
    <message>
        <source>Röle Çek/Bırak</source>
        <translation>Relay Pull-In / Release</translation>
    </message>
    <message>
        <source>Röleleri Sorgula</source>
        <translation>Query Relays</translation>
    </message>
    <message>
        <source>Röle%1</source>
        <translation>Relay %1</translation>
    </message>
    <message>
        <source>Çek</source>
        <translation>Pull In</translation>
    </message>
    <message>
        <source>Bırak</source>
        <translation>Release</translation>
    </message>
    <message>
        <source>Durum</source>
        <translation>State</translation>
    </message>
    <message>
        <source>Sayaç Endeks Oku</source>
        <translation>Water Meter Index</translation>
    </message>
    <message>
        <source>Endeks İste</source>
        <translation>Request Index</translation>
    </message>
    <message>
        <source>Endeks Yaz</source>
        <translation>Write Index</translation>
    </message>
    <message>
        <source>Durumlar</source>
        <translation>Inputs</translation>
    </message>
    <message>
        <source>Sıvı Seviyesi</source>
        <translation>Liquid Level</translation>
    </message>
    <message>
        <source>Sıcaklık Durumu</source>
        <translation>Temperature</translation>
    </message>
</context>
<context>
    <name>OvercurrentPage</name>
    <message>
        <source>Saat:</source>
        <translation>Time:</translation>
    </message>
    <message>
        <source>Tarih:</source>
        <translation>Date:</translation>
    </message>
    <message>
        <source>Seri No:</source>
        <translation>Serial No.:</translation>
    </message>
    <message>
        <source>Röleler</source>
        <translation>Relays</translation>
    </message>
    <message>
        <source>Röle %1</source>
        <translation>Relay %1</translation>
    </message>
    <message>
        <source>Röleleri Çek</source>
        <translation>Pull In Relays</translation>
    </message>
    <message>
        <source>Değerleri Oku</source>
        <translation>Read Values</translation>
    </message>
    <message>
        <source>Sabit Değerleri Yaz</source>
        <translation>Write Settings</translation>
    </message>
    <message>
        <source>FAZ-TOPRAK</source>
        <translation>PHASE-EARTH</translation>
    </message>
    <message>
        <source>Kaçak akım (mA)</source>
        <translation>Leakage current (mA)</translation>
    </message>
    <message>
        <source>Açma akımı (A)</source>
        <translation>Trip current (A)</translation>
    </message>
    <message>
        <source>Gecikme (sn)</source>
        <translation>Delay (s)</translation>
    </message>
    <message>
        <source>Ani açma akımı (A)</source>
        <translation>Instant trip current (A)</translation>
    </message>
    <message>
        <source>Koruma Ayarları</source>
        <translation>Protection Settings</translation>
    </message>
    <message>
        <source>Faz Koruma</source>
        <translation>Phase Protection</translation>
    </message>
    <message>
        <source>Toprak Koruma</source>
        <translation>Earth Protection</translation>
    </message>
    <message>
        <source>Lütfen Bekleyin....</source>
        <translation>Please Wait....</translation>
    </message>
    <message>
        <source>Gönder</source>
        <translation>Send</translation>
    </message>
    <message>
        <source>Çıkış</source>
        <translation>Exit</translation>
    </message>
</context>
<context>
    <name>ReconnectPolicy</name>
    <message>
        <source>Yeniden bağlanılıyor: %1. deneme, %2 sn</source>
        <translation>Reconnecting: attempt %1 in %2 s</translation>
    </message>
    <message>
        <source>Yeniden bağlanılıyor: %1. deneme...</source>
        <translation>Reconnecting: attempt %1...</translation>
    </message>
    <message>
        <source>Yeniden bağlanıldı; giriş yapılıyor...</source>
        <translation>Reconnected; logging in...</translation>
    </message>
    <message>
        <source>Sunucu girişi kabul etmedi; yeniden bağlanılmayacak.</source>
        <translation>The server refused the login; the client will not reconnect.</translation>
    </message>
    <message>
        <source>Yeniden bağlanma durduruldu.</source>
        <translation>Reconnecting stopped.</translation>
    </message>
</context>
<context>
    <name>RelayCommands</name>
    <message>
        <source>Röle 1 çekiliyor.Lütfen bekleyin...</source>
        <translation>Pulling in relay 1. Please wait...</translation>
    </message>
    <message>
        <source>Röle 1 bırakılıyor.Lütfen bekleyin...</source>
        <translation>Releasing relay 1. Please wait...</translation>
    </message>
    <message>
        <source>Röle 2 çekiliyor.Lütfen bekleyin...</source>
        <translation>Pulling in relay 2. Please wait...</translation>
    </message>
    <message>
        <source>Röle 2 bırakılıyor.Lütfen bekleyin...</source>
        <translation>Releasing relay 2. Please wait...</translation>
    </message>
    <message>
        <source>Röle 3 çekiliyor.Lütfen bekleyin...</source>
        <translation>Pulling in relay 3. Please wait...</translation>
    </message>
    <message>
        <source>Röle 3 bırakılıyor.Lütfen bekleyin...</source>
        <translation>Releasing relay 3. Please wait...</translation>
    </message>
    <message>
        <source>Kontor Yükleniyor. .Lütfen bekleyin...</source>
        <translation>Loading credit. Please wait...</translation>
    </message>
    <message>
        <source> Röle çekme isteği gönderildi</source>
        <translation> Relay pull-in request sent</translation>
    </message>
    <message>
        <source>Röle durumları sorgulanıyor.Lütfen bekleyin...</source>
        <translation>Querying the relay states. Please wait...</translation>
    </message>
    <message>
        <source>Sayacın endeks değeri isteniyor.Lütfen bekleyin...</source>
        <translation>Requesting the meter index. Please wait...</translation>
    </message>
</context>
<context>
    <name>SettingsCommands</name>
    <message>
        <source>Lütfen önce bir seçenek işaretleyin.</source>
        <translation>Please select an option first.</translation>
    </message>
    <message>
        <source>Akım Trafosu oranları yazılıyor.Lütfen bekleyin...</source>
        <translation>Writing the CT ratio. Please wait...</translation>
    </message>
    <message>
        <source>TanFi Değeri yazılıyor.Lütfen bekleyin...</source>
        <translation>Writing the tan φ value. Please wait...</translation>
    </message>
    <message>
        <source>İndüktif Ceza Sınır Değeri yazılıyor.Lütfen bekleyin...</source>
        <translation>Writing the inductive penalty limit. Please wait...</translation>
    </message>
    <message>
        <source>Kapasitif Ceza Sınır Değeri yazılıyor.Lütfen bekleyin...</source>
        <translation>Writing the capacitive penalty limit. Please wait...</translation>
    </message>
    <message>
        <source>Alma Çıkarma Süreleri yazılıyor.Lütfen bekleyin...</source>
        <translation>Writing the switching times. Please wait...</translation>
    </message>
    <message>
        <source>Kondansatör Öğrenme Değerleri yazılıyor.Lütfen bekleyin...</source>
        <translation>Writing the capacitor learning settings. Please wait...</translation>
    </message>
    <message>
        <source>Kademe devreye alma modu yazılıyor.Lütfen bekleyin...</source>
        <translation>Writing the step switching mode. Please wait...</translation>
    </message>
    <message>
        <source>Hızlı mod ayarı yazılıyor.Lütfen bekleyin...</source>
        <translation>Writing the fast mode setting. Please wait...</translation>
    </message>
    <message>
        <source>Sabit değerler istendi.Lütfen bekleyin...</source>
        <translation>Settings requested. Please wait...</translation>
    </message>
</context>
<context>
    <name>SettingsPage</name>
    <message>
        <source>Okunan Değerler</source>
        <translation>Read Back</translation>
    </message>
    <message>
        <source>Set</source>
        <translation>Set</translation>
    </message>
    <message>
        <source>Devreye Al</source>
        <translation>Enable</translation>
    </message>
    <message>
        <source>Devre Dışı Bırak</source>
        <translation>Disable</translation>
    </message>
    <message>
        <source>Gönder</source>
        <translation>Send</translation>
    </message>
    <message>
        <source>CT (Akım Trafosu)</source>
        <translation>CT (Current Transformer)</translation>
    </message>
    <message>
        <source>Alma Çıkarma Süreleri</source>
        <translation>Switching Times</translation>
    </message>
    <message>
        <source>Max Kademe Alma Süre</source>
        <translation>Max. Step Switch-In Time</translation>
    </message>
    <message>
        <source>Max Kademe Çıkma Süre</source>
        <translation>Max. Step Switch-Out Time</translation>
    </message>
    <message>
        <source>Min Kademe Alma-Çıkma Süre</source>
        <translation>Min. Step Switching Time</translation>
    </message>
    <message>
        <source>Ceza Sınırları</source>
        <translation>Penalty Limits</translation>
    </message>
    <message>
        <source>Tanjant Fi</source>
        <translation>Tan φ</translation>
    </message>
    <message>
        <source>İnd. Ceza Sınır</source>
        <translation>Ind. Penalty Limit</translation>
    </message>
    <message>
        <source>Kap. Ceza Sınır</source>
        <translation>Cap. Penalty Limit</translation>
    </message>
    <message>
        <source>Kondansatör Öğrenme &amp;&amp;  Yön Sabitleme</source>
        <translation>Capacitor Learning &amp;&amp;  Direction Fixing</translation>
    </message>
    <message>
        <source>Kondansatör Öğrenme</source>
        <translation>Capacitor Learning</translation>
    </message>
    <message>
        <source>Yön Sabitleme</source>
        <translation>Direction Fixing</translation>
    </message>
    <message>
        <source>Alarmlar</source>
        <translation>Alarms</translation>
    </message>
    <message>
        <source>Aşırı Gerilim</source>
        <translation>Overvoltage</translation>
    </message>
    <message>
        <source>Düşük Gerilim</source>
        <translation>Undervoltage</translation>
    </message>
    <message>
        <source>Aşırı Akım</source>
        <translation>Overcurrent</translation>
    </message>
    <message>
        <source>Aşırı Kompanzasyon</source>
        <translation>Overcompensation</translation>
    </message>
    <message>
        <source>Düşük Kompanzasyon</source>
        <translation>Undercompensation</translation>
    </message>
    <message>
        <source>Sistem Hatası</source>
        <translation>System Fault</translation>
    </message>
    <message>
        <source>Faz Yokluğu</source>
        <translation>Phase Loss</translation>
    </message>
    <message>
        <source>Aşırı Sıcaklık</source>
        <translation>Overtemperature</translation>
    </message>
    <message>
        <source>Korumalar</source>
        <translation>Protections</translation>
    </message>
    <message>
        <source>Kondansatör Koruma</source>
        <translation>Capacitor Protection</translation>
    </message>
    <message>
        <source>Sıcaklık Koruma</source>
        <translation>Temperature Protection</translation>
    </message>
    <message>
        <source>Sabit Değerler</source>
        <translation>Relay Settings</translation>
    </message>
    <message>
        <source>Değerleri Oku</source>
        <translation>Read Values</translation>
    </message>
    <message>
        <source>Kondansatör Devreye Alma Modu</source>
        <translation>Capacitor Switching Mode</translation>
    </message>
    <message>
        <source>Manuel</source>
        <translation>Manual</translation>
    </message>
    <message>
        <source>Otomatik</source>
        <translation>Automatic</translation>
    </message>
    <message>
        <source>Hızlı Mod</source>
        <translation>Fast Mode</translation>
    </message>
</context>
<context>
    <name>ShapeLamp</name>
    <message>
        <source>Veri lambası</source>
        <translation>Data lamp</translation>
    </message>
</context>
<context>
    <name>StatusLine</name>
    <message>
        <source> … (%1 karakter)</source>
        <translation> … (%1 characters)</translation>
    </message>
</context>
<context>
    <name>StepCommands</name>
    <message>
        <source>%1 nolu Kondansator devreye alınıyor/çıkartılıyor.Lütfen bekleyin...</source>
        <translation>Switching capacitor step %1 in or out. Please wait...</translation>
    </message>
    <message>
        <source>Kondansatör durumları istendi.Lütfen bekleyin...</source>
        <translation>Capacitor states requested. Please wait...</translation>
    </message>
    <message>
        <source>Kondansator Değerleri yazılıyor.Lütfen bekleyin...</source>
        <translation>Writing the capacitor values. Please wait...</translation>
    </message>
</context>
<context>
    <name>TFrmAna</name>
    <message>
        <source>FrmAna</source>
        <translation>Main Window</translation>
    </message>
    <message>
        <source>&lt;&lt;&lt;&lt;&lt;&lt;&lt;%1 Bağlı.&gt;&gt;&gt;&gt;&gt;&gt;&gt;&gt;&gt;</source>
        <translation>&lt;&lt;&lt;&lt;&lt;&lt;&lt;%1 Connected.&gt;&gt;&gt;&gt;&gt;&gt;&gt;&gt;&gt;</translation>
    </message>
    <message>
        <source>Haberleşme</source>
        <translation>Communication Log</translation>
    </message>
    <message>
        <source>Mesajlar</source>
        <translation>Messages</translation>
    </message>
    <message>
        <source>Sürüm %1</source>
        <translation>Version %1</translation>
    </message>
    <message>
        <source>Yeni mesajınız var.Okumak için tıklayın... </source>
        <translation>You have a new message. Click to read... </translation>
    </message>
    <message>
        <source>Cihaz</source>
        <translation>Device</translation>
    </message>
    <message>
        <source>Haberlesme</source>
        <translation>Communication Log</translation>
    </message>
    <message>
        <source>Yeni Mesajları Oku</source>
        <translation>Read New Messages</translation>
    </message>
    <message>
        <source>Aktif Cihaz: 0</source>
        <translation>Active device: 0</translation>
    </message>
    <message>
        <source>Aç</source>
        <translation>Open</translation>
    </message>
    <message>
        <source>Kompanzasyon Tabiki</source>
        <translation>Compensation Tracking</translation>
    </message>
    <message>
        <source>Kritik Seviyedeki Cihazları Listele</source>
        <translation>List Devices at Critical Level</translation>
    </message>
    <message>
        <source>Ceza Durumundaki Cihazları Listele</source>
        <translation>List Devices in Penalty</translation>
    </message>
    <message>
        <source>Mesajlarımı Oku</source>
        <translation>Read My Messages</translation>
    </message>
    <message>
        <source>Tarneke Mesaj Gönder</source>
        <translation>Send a Message to TARNEK</translation>
    </message>
    <message>
        <source>Kapat</source>
        <translation>Close</translation>
    </message>
    <message>
        <source>%1 kullanıcısının ana bilgisayarla bağlantısı kesildi</source>
        <translation>User %1 has been disconnected from the server</translation>
    </message>
    <message>
        <source>Bağlantı Hatası. Bağlantınızı kontrol edin.</source>
        <translation>Connection error. Check your connection.</translation>
    </message>
    <message>
        <source>Eğilim Grafikleri</source>
        <translation>Trend Charts</translation>
    </message>
</context>
<context>
    <name>TFrmGiris</name>
    <message>
        <source>Genel</source>
        <translation>General</translation>
    </message>
    <message>
        <source>Doktor</source>
        <translation>Doctor</translation>
    </message>
    <message>
        <source>Emlakçı</source>
        <translation>Estate Agent</translation>
    </message>
    <message>
        <source>Lise Öğrencisi</source>
        <translation>High-School Student</translation>
    </message>
    <message>
        <source>Mühendis</source>
        <translation>Engineer</translation>
    </message>
    <message>
        <source>Öğretim Üyesi</source>
        <translation>Lecturer</translation>
    </message>
    <message>
        <source>Öğretmen</source>
        <translation>Teacher</translation>
    </message>
    <message>
        <source>Üniversite Öğrencisi</source>
        <translation>University Student</translation>
    </message>
    <message>
        <source>Esnaf</source>
        <translation>Tradesperson</translation>
    </message>
    <message>
        <source>Tüccar</source>
        <translation>Merchant</translation>
    </message>
    <message>
        <source>Asker</source>
        <translation>Soldier</translation>
    </message>
    <message>
        <source>Polis</source>
        <translation>Police Officer</translation>
    </message>
    <message>
        <source>Memur</source>
        <translation>Civil Servant</translation>
    </message>
    <message>
        <source>Mimar</source>
        <translation>Architect</translation>
    </message>
    <message>
        <source>Özel</source>
        <translation>Private</translation>
    </message>
    <message>
        <source>Akademisyen</source>
        <translation>Academic</translation>
    </message>
    <message>
        <source>Portno</source>
        <translation>Port</translation>
    </message>
    <message>
        <source>Kullanıcı Adı:</source>
        <translation>User name:</translation>
    </message>
    <message>
        <source>Şifre (Üyeler)</source>
        <translation>Password (members)</translation>
    </message>
    <message>
        <source>Kategori</source>
        <translation>Category</translation>
    </message>
    <message>
        <source>Bağlan</source>
        <translation>Connect</translation>
    </message>
    <message>
        <source>İptal</source>
        <translation>Cancel</translation>
    </message>
    <message>
        <source>Kapat</source>
        <translation>Close</translation>
    </message>
    <message>
        <source>   Bağlantı Yok</source>
        <translation>   Not connected</translation>
    </message>
    <message>
        <source>Otomatik Bağlan</source>
        <translation>Connect automatically</translation>
    </message>
    <message>
        <source>   Kullanıcı Adı Girin</source>
        <translation>   Enter a user name</translation>
    </message>
    <message>
        <source>   İnternet bağlantısı mevcut</source>
        <translation>   Internet connection available</translation>
    </message>
    <message>
        <source>   İnternet bağlantısı yok</source>
        <translation>   No internet connection</translation>
    </message>
    <message>
        <source>  Tarneke Bağlanıyor</source>
        <translation>  Connecting to TARNEK</translation>
    </message>
    <message>
        <source>Bağlantı Hatası</source>
        <translation>Connection error</translation>
    </message>
    <message>
        <source>Beni hatırla</source>
        <translation>Remember me</translation>
    </message>
</context>
<context>
    <name>TFrmMesajlar</name>
    <message>
        <source>Mesajlar</source>
        <translation>Messages</translation>
    </message>
    <message>
        <source>Mesaj</source>
        <translation>Message</translation>
    </message>
    <message>
        <source>Yeni Mesajları Kontrol Et</source>
        <translation>Check for New Messages</translation>
    </message>
    <message>
        <source>Kapat</source>
        <translation>Close</translation>
    </message>
</context>
<context>
    <name>TFrmTakip</name>
    <message>
        <source>Tümü</source>
        <translation>All</translation>
    </message>
    <message>
        <source>KRİTİK ve üstü</source>
        <translation>CRITICAL and above</translation>
    </message>
    <message>
        <source>ALARM ve üstü</source>
        <translation>ALARM and above</translation>
    </message>
    <message>
        <source>CEZA</source>
        <translation>PENALTY</translation>
    </message>
    <message>
        <source>Göster:</source>
        <translation>Show:</translation>
    </message>
    <message>
        <source>Şimdi Tara</source>
        <translation>Scan Now</translation>
    </message>
    <message>
        <source>Tarama aralığı:</source>
        <translation>Scan interval:</translation>
    </message>
    <message>
        <source> dk</source>
        <translation> min</translation>
    </message>
    <message>
        <source>Dışa Aktar...</source>
        <translation>Export...</translation>
    </message>
    <message>
        <source>Alarmlar</source>
        <translation>Alarms</translation>
    </message>
    <message>
        <source>KRİTİK seviyede de uyar</source>
        <translation>Also warn at CRITICAL level</translation>
    </message>
    <message>
        <source>Onayla</source>
        <translation>Acknowledge</translation>
    </message>
    <message>
        <source>Seçili alarmları onaylar; seçim yoksa hepsini.</source>
        <translation>Acknowledges the selected alarms, or all of them if none is selected.</translation>
    </message>
    <message>
        <source>Dışa Aktar</source>
        <translation>Export</translation>
    </message>
    <message>
        <source>kompanzasyon-takibi.csv</source>
        <translation>compensation-tracking.csv</translation>
    </message>
    <message>
        <source>CSV dosyaları (*.csv)</source>
        <translation>CSV files (*.csv)</translation>
    </message>
    <message>
        <source>Kompanzasyon Takibi</source>
        <translation>Compensation Tracking</translation>
    </message>
    <message>
        <source>%1 - %2 onaylanmamış alarm</source>
        <translation>%1 - unacknowledged alarms: %2</translation>
    </message>
    <message>
        <source>Taranan: %1 / %2 cihaz</source>
        <translation>Devices scanned: %1 / %2</translation>
    </message>
    <message>
        <source> (tarama bitti)</source>
        <translation> (scan complete)</translation>
    </message>
    <message>
        <source>%1 dosyası yazılamadı: %2</source>
        <translation>Could not write %1: %2</translation>
    </message>
</context>
<context>
    <name>TFrmhaberlesme</name>
    <message>
        <source>Frmhaberlesme</source>
        <translation>Communication Log</translation>
    </message>
    <message>
        <source> … (toplam %1 bayt)</source>
        <translation> … (%1 bytes in all)</translation>
    </message>
    <message>
        <source>haberlesme.csv</source>
        <translation>communication_log.csv</translation>
    </message>
</context>
<context>
    <name>TrendWindow</name>
    <message>
        <source>Son 1 saat</source>
        <translation>Last hour</translation>
    </message>
    <message>
        <source>Son 24 saat</source>
        <translation>Last 24 hours</translation>
    </message>
    <message>
        <source>Son 7 gün</source>
        <translation>Last 7 days</translation>
    </message>
    <message>
        <source>Son 30 gün</source>
        <translation>Last 30 days</translation>
    </message>
    <message>
        <source>Özel...</source>
        <translation>Custom...</translation>
    </message>
    <message>
        <source>%1 — kayıt yok</source>
        <translation>%1 — no records</translation>
    </message>
    <message>
        <source>%1 — en küçük %2 · ortalama %3 · en büyük %4</source>
        <translation>%1 — minimum %2 · average %3 · maximum %4</translation>
    </message>
    <message>
        <source>Zaman</source>
        <translation>Time</translation>
    </message>
    <message>
        <source>%1 en küçük</source>
        <translation>%1 minimum</translation>
    </message>
    <message>
        <source>%1 ortalama</source>
        <translation>%1 average</translation>
    </message>
    <message>
        <source>%1 en büyük</source>
        <translation>%1 maximum</translation>
    </message>
</context>
<context>
    <name>WatchTableModel</name>
    <message>
        <source>Grup</source>
        <translation>Group</translation>
    </message>
    <message>
        <source>Cihaz</source>
        <translation>Device</translation>
    </message>
    <message>
        <source>Seri No</source>
        <translation>Serial No.</translation>
    </message>
    <message>
        <source>İnd. Oran %</source>
        <translation>Ind. Ratio %</translation>
    </message>
    <message>
        <source>Kap. Oran %</source>
        <translation>Cap. Ratio %</translation>
    </message>
    <message>
        <source>İnd. Durum</source>
        <translation>Ind. Status</translation>
    </message>
    <message>
        <source>Kap. Durum</source>
        <translation>Cap. Status</translation>
    </message>
    <message>
        <source>Son Okuma</source>
        <translation>Last Reading</translation>
    </message>
    <message>
        <source>Durum</source>
        <translation>State</translation>
    </message>
</context>
<context>
    <name>WatchWiring</name>
    <message>
        <source>Kompanzasyon Takibi</source>
        <translation>Compensation Tracking</translation>
    </message>
    <message>
        <source>%1 (%2): %3 oran %4, %5 %</source>
        <translation>%1 (%2): %3 ratio %4, %5 %</translation>
    </message>
    <message>
        <source>Kompanzasyon Alarmı</source>
        <translation>Compensation Alarm</translation>
    </message>
    <message>
        <source>%1
%2 onaylanmamış alarm</source>
        <translation>%1
Unacknowledged alarms: %2</translation>
    </message>
    <message>
        <source>ALARM: %1 (%2 onaylanmamış)</source>
        <translation>ALARM: %1 (%2 unacknowledged)</translation>
    </message>
    <message>
        <source>Kompanzasyon Takibi penceresini açar</source>
        <translation>Opens the Compensation Tracking window</translation>
    </message>
</context>
<context>
    <name>Waveform</name>
    <message>
        <source>%1 Seri Nolu Cihazın harmonik değerleri alınıyor. </source>
        <translation>Receiving the harmonic values of device %1. </translation>
    </message>
    <message>
        <source>%1 nolu cihaz harmonik verileri</source>
        <translation>Device %1 Harmonic Data</translation>
    </message>
</context>
<context>
    <name>WaveformPage</name>
    <message>
        <source>Faz1 Harmonik İste</source>
        <translation>Request Phase 1 Harmonics</translation>
    </message>
    <message>
        <source>Faz2 Harmonik İste</source>
        <translation>Request Phase 2 Harmonics</translation>
    </message>
    <message>
        <source>Faz3 Harmonik İste</source>
        <translation>Request Phase 3 Harmonics</translation>
    </message>
    <message>
        <source>Gerilim H</source>
        <translation>Voltage H</translation>
    </message>
    <message>
        <source>Akım H</source>
        <translation>Current H</translation>
    </message>
    <message>
        <source>harmonik_analizi.csv</source>
        <translation>harmonic_analysis.csv</translation>
    </message>
</context>
<context>
    <name>WriteAck</name>
    <message>
        <source>%1 Seri Nolu Cihaza akım trafosu değeri yazıldı. </source>
        <translation>CT ratio written to device %1. </translation>
    </message>
    <message>
        <source>%1 Seri Nolu Cihaza TanFi değeri yazıldı. </source>
        <translation>Tan φ value written to device %1. </translation>
    </message>
    <message>
        <source>%1 Seri Nolu Cihaza indüktif ceza sınır değeri yazıldı. </source>
        <translation>Inductive penalty limit written to device %1. </translation>
    </message>
    <message>
        <source>%1 Seri Nolu Cihaza kapasitif ceza sınır değeri yazıldı. </source>
        <translation>Capacitive penalty limit written to device %1. </translation>
    </message>
    <message>
        <source>%1 Seri Nolu Cihaza alma-çıkma değerleri yazıldı. </source>
        <translation>Switching times written to device %1. </translation>
    </message>
    <message>
        <source>%1 Seri Nolu Cihaza oto-manuel ayarı yazıldı. </source>
        <translation>Auto/manual setting written to device %1. </translation>
    </message>
    <message>
        <source>%1 Seri Nolu Cihaza hızlı mod ayarı yazıldı. </source>
        <translation>Fast mode setting written to device %1. </translation>
    </message>
    <message>
        <source>%1 Seri Nolu Cihaza endeks değeri yazıldı. </source>
        <translation>Index value written to device %1. </translation>
    </message>
</context>
<context>
    <name>fleet</name>
    <message>
        <source>Analizör</source>
        <translation>Analyser</translation>
    </message>
    <message>
        <source>Kompanzasyon Rölesi</source>
        <translation>Compensation Relay</translation>
    </message>
    <message>
        <source>Aşırı Akım Rölesi</source>
        <translation>Overcurrent Relay</translation>
    </message>
    <message>
        <source>Sayaç Modemi</source>
        <translation>Meter Modem</translation>
    </message>
    <message>
        <source>Endüstriyel Modem</source>
        <translation>Industrial Modem</translation>
    </message>
    <message>
        <source>Arka plan isteği %1 sn içinde yanıtlanmadı, bırakıldı: %2</source>
        <translation>A background request got no answer within %1 s and was dropped: %2</translation>
    </message>
    <message>
        <source>Endüktif</source>
        <translation>Inductive</translation>
    </message>
    <message>
        <source>Kapasitif</source>
        <translation>Capacitive</translation>
    </message>
    <message>
        <source>%1 enerji oranları</source>
        <translation>%1 energy ratios</translation>
    </message>
    <message>
        <source>Bekliyor</source>
        <translation>Waiting</translation>
    </message>
    <message>
        <source>Soruldu</source>
        <translation>Asked</translation>
    </message>
    <message>
        <source>Okundu</source>
        <translation>Read</translation>
    </message>
    <message>
        <source>Yanıt yok</source>
        <translation>No answer</translation>
    </message>
    <message>
        <source>Hatta değil</source>
        <translation>Offline</translation>
    </message>
    <message>
        <source>Enerji sayacı yok</source>
        <translation>No energy counters</translation>
    </message>
</context>
<context>
    <name>fleet::AutoRefresh</name>
    <message>
        <source>ölçüm değerleri</source>
        <translation>measurements</translation>
    </message>
    <message>
        <source>tüketim değerleri</source>
        <translation>consumption values</translation>
    </message>
    <message>
        <source>sabit değerler</source>
        <translation>settings</translation>
    </message>
    <message>
        <source>kondansatör durumları</source>
        <translation>capacitor states</translation>
    </message>
    <message>
        <source>harmonik değerleri</source>
        <translation>harmonic values</translation>
    </message>
    <message>
        <source>%1 otomatik yenileme: enerji oranları</source>
        <translation>%1 auto refresh: energy ratios</translation>
    </message>
    <message>
        <source>%1 otomatik yenileme: %2</source>
        <translation>%1 auto refresh: %2</translation>
    </message>
</context>
<context>
    <name>history::Cli</name>
    <message>
        <source>Cihazın seri numarası.</source>
        <translation>The device&apos;s serial number.</translation>
    </message>
    <message>
        <source>Büyüklük anahtarı (V1, I2, cos_total…); birden çok verilebilir, verilmezse cihazın hepsi.</source>
        <translation>Quantity key (V1, I2, cos_total…); may be given more than once; all of the device&apos;s quantities if omitted.</translation>
    </message>
    <message>
        <source>Başlangıç (ISO 8601, bölge yoksa yerel saat).</source>
        <translation>Start (ISO 8601; local time if no zone is given).</translation>
    </message>
    <message>
        <source>Bitiş, dahil değil (ISO 8601).</source>
        <translation>End, not included (ISO 8601).</translation>
    </message>
    <message>
        <source>Adım: raw, 1m, 1h, 1d.</source>
        <translation>Step: raw, 1m, 1h, 1d.</translation>
    </message>
    <message>
        <source>CSV dosyası, - ise standart çıktı.</source>
        <translation>CSV file, or - for standard output.</translation>
    </message>
    <message>
        <source>Ay: YYYY-MM.</source>
        <translation>Month: YYYY-MM.</translation>
    </message>
    <message>
        <source>Seri No</source>
        <translation>Serial No.</translation>
    </message>
    <message>
        <source>Büyüklük</source>
        <translation>Quantity</translation>
    </message>
    <message>
        <source>Ad</source>
        <translation>Name</translation>
    </message>
    <message>
        <source>Birim</source>
        <translation>Unit</translation>
    </message>
    <message>
        <source>İlk</source>
        <translation>First</translation>
    </message>
    <message>
        <source>Son</source>
        <translation>Last</translation>
    </message>
    <message>
        <source>export: --serial gerekli.</source>
        <translation>export: --serial is required.</translation>
    </message>
    <message>
        <source>export: --from ve --to ISO 8601 zamanları olmalı (örneğin 2026-12-01T00:00:00).</source>
        <translation>export: --from and --to must be ISO 8601 times (for example 2026-12-01T00:00:00).</translation>
    </message>
    <message>
        <source>export: --step raw, 1m, 1h ya da 1d olmalı.</source>
        <translation>export: --step must be raw, 1m, 1h or 1d.</translation>
    </message>
    <message>
        <source>export: %1 cihazının %2 büyüklüğü kayıtlı değil.</source>
        <translation>export: quantity %2 of device %1 is not recorded.</translation>
    </message>
    <message>
        <source>Zaman</source>
        <translation>Time</translation>
    </message>
    <message>
        <source>report: --month YYYY-MM olmalı (örneğin 2026-12).</source>
        <translation>report: --month must be YYYY-MM (for example 2026-12).</translation>
    </message>
    <message>
        <source>İlk okuma</source>
        <translation>First reading</translation>
    </message>
    <message>
        <source>Son okuma</source>
        <translation>Last reading</translation>
    </message>
    <message>
        <source>Kaynak</source>
        <translation>Source</translation>
    </message>
    <message>
        <source>Aktif enerji (kWh)</source>
        <translation>Active energy (kWh)</translation>
    </message>
    <message>
        <source>İndüktif enerji (kVArh)</source>
        <translation>Inductive energy (kVArh)</translation>
    </message>
    <message>
        <source>Kapasitif enerji (kVArh)</source>
        <translation>Capacitive energy (kVArh)</translation>
    </message>
    <message>
        <source>İnd. Oran %</source>
        <translation>Ind. Ratio %</translation>
    </message>
    <message>
        <source>Kap. Oran %</source>
        <translation>Cap. Ratio %</translation>
    </message>
    <message>
        <source>İnd. Durum</source>
        <translation>Ind. Status</translation>
    </message>
    <message>
        <source>Kap. Durum</source>
        <translation>Cap. Status</translation>
    </message>
    <message>
        <source>Geçmiş veritabanını pencere açmadan okur.
  list     cihazlar ve büyüklükler, ilk ve son zamanlarıyla
  export   bir cihazın büyüklükleri CSV olarak
  report   her cihazın bir aylık enerjisi, oranları ve durumları</source>
        <translation>Reads the history database without opening a window.
  list     devices and quantities, with their first and last times
  export   the quantities of one device as CSV
  report   each device&apos;s energy, ratios and statuses for one month</translation>
    </message>
    <message>
        <source>Komut list, export ya da report olmalı.</source>
        <translation>The command must be list, export or report.</translation>
    </message>
    <message>
        <source>Yazılamıyor: %1 (%2)</source>
        <translation>Cannot write: %1 (%2)</translation>
    </message>
    <message>
        <source>Dil: tr ya da en; verilmezse istemcide seçilen, o da yoksa sistemin dili.</source>
        <translation>Language: tr or en; if not given, the one chosen in the client, else the system&apos;s.</translation>
    </message>
    <message>
        <source>komut</source>
        <translation>command</translation>
    </message>
</context>
<context>
    <name>history::Database</name>
    <message>
        <source>Geçmiş veritabanı bulunamadı: %1</source>
        <translation>History database not found: %1</translation>
    </message>
    <message>
        <source>Veritabanı sürücüsü yüklenemedi (%1).</source>
        <translation>The database driver could not be loaded (%1).</translation>
    </message>
    <message>
        <source>Geçmiş veritabanı bu programdan yeni bir sürümle yazılmış (şema %1, bu program %2); kayıt yapılmıyor.</source>
        <translation>The history database was written by a newer version of this program (schema %1, this program %2); nothing is recorded.</translation>
    </message>
    <message>
        <source>Disk dolu: %1 (%2)</source>
        <translation>Disk full: %1 (%2)</translation>
    </message>
    <message>
        <source>Dosya salt okunur: %1 (%2)</source>
        <translation>File is read-only: %1 (%2)</translation>
    </message>
    <message>
        <source>Veritabanı bozuk: %1 (%2)</source>
        <translation>Database is corrupt: %1 (%2)</translation>
    </message>
    <message>
        <source>%1: %2</source>
        <translation>%1: %2</translation>
    </message>
    <message>
        <source>Sunucunun diski dolu: %1 (%2)</source>
        <translation>The server&apos;s disk is full: %1 (%2)</translation>
    </message>
    <message>
        <source>Sunucu salt okunur: %1 (%2)</source>
        <translation>The server is read-only: %1 (%2)</translation>
    </message>
    <message>
        <source>Sunucuya ulaşılamıyor: %1 (%2)</source>
        <translation>Cannot reach the server: %1 (%2)</translation>
    </message>
</context>
<context>
    <name>history::HistoryWriter</name>
    <message>
        <source>Bellekte bekleyen geçmiş %1 satır sınırını aştı; en eski kayıtlar bırakılıyor.</source>
        <translation>The history waiting in memory has passed the limit of %1 rows; the oldest records are being dropped.</translation>
    </message>
    <message>
        <source>Geçmiş yeniden kaydediliyor; bellekte bekleyen kayıtlar yazıldı.</source>
        <translation>History is being recorded again; the records waiting in memory have been written.</translation>
    </message>
    <message>
        <source>bilinmeyen hata (%1)</source>
        <translation>unknown error (%1)</translation>
    </message>
    <message>
        <source>Geçmiş kaydedilemiyor, veritabanı sunucusuna ulaşılamıyor: %1. Kayıtlar bellekte tutuluyor (en çok %2 satır) ve sunucu dönünce yazılacak.</source>
        <translation>History cannot be recorded, the database server cannot be reached: %1. Records are kept in memory (at most %2 rows) and will be written when the server is back.</translation>
    </message>
    <message>
        <source>Geçmiş kaydedilemiyor, disk dolu: %1. Kayıtlar bellekte tutuluyor (en çok %2 satır) ve yer açılınca yazılacak.</source>
        <translation>History cannot be recorded, the disk is full: %1. Records are kept in memory (at most %2 rows) and will be written when space is freed.</translation>
    </message>
    <message>
        <source>Geçmiş kaydedilemiyor, veritabanı salt okunur: %1. Kayıtlar bellekte tutuluyor (en çok %2 satır) ve yazılabilir olunca yazılacak.</source>
        <translation>History cannot be recorded, the database is read-only: %1. Records are kept in memory (at most %2 rows) and will be written once it is writable.</translation>
    </message>
    <message>
        <source>Geçmiş kaydedilemiyor: %1. Kayıtlar bellekte tutuluyor (en çok %2 satır).</source>
        <translation>History cannot be recorded: %1. Records are kept in memory (at most %2 rows).</translation>
    </message>
    <message>
        <source>Geçmiş veritabanı bozuk: %1 olarak kenara alındı ve yeni bir veritabanı başlatıldı.</source>
        <translation>The history database was corrupt: it was set aside as %1 and a new database was started.</translation>
    </message>
</context>
<context>
    <name>history::Location</name>
    <message>
        <source>Geçmiş veritabanı belirtilmemiş: &quot;%1&quot;</source>
        <translation>No history database given: &quot;%1&quot;</translation>
    </message>
    <message>
        <source>Geçersiz PostgreSQL adresi: &quot;%1&quot;</source>
        <translation>Invalid PostgreSQL address: &quot;%1&quot;</translation>
    </message>
    <message>
        <source>PostgreSQL adresinde veritabanı adı yok: &quot;%1&quot;</source>
        <translation>The PostgreSQL address has no database name: &quot;%1&quot;</translation>
    </message>
    <message>
        <source>PostgreSQL adresinde geçersiz seçenek: &quot;%1&quot;</source>
        <translation>Invalid option in the PostgreSQL address: &quot;%1&quot;</translation>
    </message>
    <message>
        <source>Geçmiş veritabanı: bir SQLite dosyası ya da postgresql://kullanıcı@sunucu:port/veritabanı</source>
        <translation>History database: an SQLite file or postgresql://user@server:port/database</translation>
    </message>
</context>
<context>
    <name>history::Quantities</name>
    <message>
        <source>Akım trafosu oranı</source>
        <translation>CT ratio</translation>
    </message>
    <message>
        <source>Gerilim L%1</source>
        <translation>Voltage L%1</translation>
    </message>
    <message>
        <source>Akım L%1</source>
        <translation>Current L%1</translation>
    </message>
    <message>
        <source>Aktif güç L%1</source>
        <translation>Active power L%1</translation>
    </message>
    <message>
        <source>Reaktif güç L%1</source>
        <translation>Reactive power L%1</translation>
    </message>
    <message>
        <source>Görünen güç L%1</source>
        <translation>Apparent power L%1</translation>
    </message>
    <message>
        <source>cos φ L%1</source>
        <translation>cos φ L%1</translation>
    </message>
    <message>
        <source>cos φ toplam</source>
        <translation>cos φ total</translation>
    </message>
    <message>
        <source>Toplam aktif güç</source>
        <translation>Total active power</translation>
    </message>
    <message>
        <source>Toplam görünen güç</source>
        <translation>Total apparent power</translation>
    </message>
    <message>
        <source>Toplam endüktif reaktif güç</source>
        <translation>Total inductive reactive power</translation>
    </message>
    <message>
        <source>Toplam kapasitif reaktif güç</source>
        <translation>Total capacitive reactive power</translation>
    </message>
    <message>
        <source>Reaktif güç farkı</source>
        <translation>Reactive power difference</translation>
    </message>
    <message>
        <source>Frekans</source>
        <translation>Frequency</translation>
    </message>
    <message>
        <source>Sıcaklık</source>
        <translation>Temperature</translation>
    </message>
    <message>
        <source>Endüktif / aktif güç oranı %1</source>
        <translation>Inductive / active power ratio %1</translation>
    </message>
    <message>
        <source>Kapasitif / aktif güç oranı %1</source>
        <translation>Capacitive / active power ratio %1</translation>
    </message>
    <message>
        <source>Devreye alma süresi %1</source>
        <translation>Switch-in time %1</translation>
    </message>
    <message>
        <source>Devreden çıkarma süresi %1</source>
        <translation>Switch-out time %1</translation>
    </message>
    <message>
        <source>Aktif enerji</source>
        <translation>Active energy</translation>
    </message>
    <message>
        <source>Endüktif reaktif enerji</source>
        <translation>Inductive reactive energy</translation>
    </message>
    <message>
        <source>Kapasitif reaktif enerji</source>
        <translation>Capacitive reactive energy</translation>
    </message>
    <message>
        <source>Endüktif / aktif enerji oranı</source>
        <translation>Inductive / active energy ratio</translation>
    </message>
    <message>
        <source>Kapasitif / aktif enerji oranı</source>
        <translation>Capacitive / active energy ratio</translation>
    </message>
    <message>
        <source>Aktif enerji %1</source>
        <translation>Active energy %1</translation>
    </message>
    <message>
        <source>Endüktif reaktif enerji %1</source>
        <translation>Inductive reactive energy %1</translation>
    </message>
    <message>
        <source>Kapasitif reaktif enerji %1</source>
        <translation>Capacitive reactive energy %1</translation>
    </message>
    <message>
        <source>Ayar: tanjant φ</source>
        <translation>Setting: tan φ</translation>
    </message>
    <message>
        <source>Ayar: endüktif ceza sınırı</source>
        <translation>Setting: inductive penalty limit</translation>
    </message>
    <message>
        <source>Ayar: kapasitif ceza sınırı</source>
        <translation>Setting: capacitive penalty limit</translation>
    </message>
    <message>
        <source>Ayar: en uzun kademe alma süresi</source>
        <translation>Setting: max. step switch-in time</translation>
    </message>
    <message>
        <source>Ayar: en uzun kademe çıkarma süresi</source>
        <translation>Setting: max. step switch-out time</translation>
    </message>
    <message>
        <source>Ayar: en kısa alma çıkarma süresi</source>
        <translation>Setting: min. step switching time</translation>
    </message>
    <message>
        <source>Kademe %1 gücü %2</source>
        <translation>Step %1 power %2</translation>
    </message>
    <message>
        <source>Gerilim temel bileşeni L%1</source>
        <translation>Voltage fundamental L%1</translation>
    </message>
    <message>
        <source>Akım temel bileşeni L%1</source>
        <translation>Current fundamental L%1</translation>
    </message>
    <message>
        <source>Gerilim harmoniği L%1, %2. derece</source>
        <translation>Voltage harmonic L%1, order %2</translation>
    </message>
    <message>
        <source>Akım harmoniği L%1, %2. derece</source>
        <translation>Current harmonic L%1, order %2</translation>
    </message>
    <message>
        <source>Gerilim THD L%1</source>
        <translation>Voltage THD L%1</translation>
    </message>
    <message>
        <source>Akım THD L%1</source>
        <translation>Current THD L%1</translation>
    </message>
    <message>
        <source>Devredeki kademe sayısı</source>
        <translation>Number of steps switched in</translation>
    </message>
    <message>
        <source>Aktif enerji sayacı (tarih arası)</source>
        <translation>Active energy counter (between dates)</translation>
    </message>
    <message>
        <source>Endüktif enerji sayacı (tarih arası)</source>
        <translation>Inductive energy counter (between dates)</translation>
    </message>
    <message>
        <source>Kapasitif enerji sayacı (tarih arası)</source>
        <translation>Capacitive energy counter (between dates)</translation>
    </message>
    <message>
        <source>Endüktif oran (tarih arası)</source>
        <translation>Inductive ratio (between dates)</translation>
    </message>
    <message>
        <source>Kapasitif oran (tarih arası)</source>
        <translation>Capacitive ratio (between dates)</translation>
    </message>
    <message>
        <source>Endüktif durum (0 NORMAL, 1 KRİTİK, 2 ALARM, 3 CEZA)</source>
        <translation>Inductive status (0 NORMAL, 1 CRITICAL, 2 ALARM, 3 PENALTY)</translation>
    </message>
    <message>
        <source>Kapasitif durum (0 NORMAL, 1 KRİTİK, 2 ALARM, 3 CEZA)</source>
        <translation>Capacitive status (0 NORMAL, 1 CRITICAL, 2 ALARM, 3 PENALTY)</translation>
    </message>
    <message>
        <source>Sayaç aktif toplam (1.8.0)</source>
        <translation>Meter active total (1.8.0)</translation>
    </message>
    <message>
        <source>Sayaç endüktif toplam (5.8.0)</source>
        <translation>Meter inductive total (5.8.0)</translation>
    </message>
    <message>
        <source>Sayaç kapasitif toplam (8.8.0)</source>
        <translation>Meter capacitive total (8.8.0)</translation>
    </message>
    <message>
        <source>Sayaç tarife 1 (1.8.1)</source>
        <translation>Meter tariff 1 (1.8.1)</translation>
    </message>
    <message>
        <source>Sayaç tarife 2 (1.8.2)</source>
        <translation>Meter tariff 2 (1.8.2)</translation>
    </message>
    <message>
        <source>Sayaç tarife 3 (1.8.3)</source>
        <translation>Meter tariff 3 (1.8.3)</translation>
    </message>
</context>
</TS>
