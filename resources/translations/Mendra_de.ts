<?xml version="1.0" encoding="utf-8"?>
<!DOCTYPE TS>
<TS version="2.1" language="de" sourcelanguage="en">
<context>
    <name>AboutView</name>
    <message>
        <source>About</source>
        <translation>Über</translation>
    </message>
    <message>
        <source>Tavik Mendra</source>
        <translation>Tavik Mendra</translation>
    </message>
    <message>
        <source>Current version:</source>
        <translation>Aktuelle Version:</translation>
    </message>
    <message>
        <source>Customer support</source>
        <translation>Kundensupport</translation>
    </message>
    <message>
        <source>&lt;html&gt;&lt;head/&gt;&lt;body&gt;&lt;p&gt;&lt;br/&gt;&lt;/p&gt;&lt;/body&gt;&lt;/html&gt;</source>
        <translation>&lt;html&gt;&lt;head/&gt;&lt;body&gt;&lt;p&gt;&lt;br/&gt;&lt;/p&gt;&lt;/body&gt;&lt;/html&gt;</translation>
    </message>
    <message>
        <source>Official website</source>
        <translation>Offizielle Website</translation>
    </message>
    <message>
        <source>Copyright © 2016-2026 Tavik Software. All rights reserved.</source>
        <translation>Copyright © 2016-2026 Tavik Software. Alle Rechte vorbehalten.</translation>
    </message>
</context>
<context>
    <name>BugReportView</name>
    <message>
        <source>Bug Report</source>
        <translation>Fehler melden</translation>
    </message>
    <message>
        <source>Please send us the questions you encountered during the use of this software. We will answer you as soon as we receive it.</source>
        <translation>Schildern Sie uns Probleme mit dieser Software. Wir antworten Ihnen, sobald wir Ihre Nachricht erhalten haben.</translation>
    </message>
    <message>
        <source>Attach File</source>
        <translation>Datei anhängen</translation>
    </message>
    <message>
        <source>Submit</source>
        <translation>Senden</translation>
    </message>
</context>
<context>
    <name>CComponentInstallThread</name>
    <message>
        <source>Checking...</source>
        <translation>Überprüfung...</translation>
    </message>
    <message>
        <source>Downloading...</source>
        <translation>Herunterladen...</translation>
    </message>
    <message>
        <source>Decompressing...</source>
        <translation>Entpacken...</translation>
    </message>
    <message>
        <source>Installing...</source>
        <translation>Installation...</translation>
    </message>
</context>
<context>
    <name>CComponentProgressDialog</name>
    <message>
        <source>Component Install</source>
        <translation>Komponenteninstallation</translation>
    </message>
    <message>
        <source>Retry</source>
        <translation>Wiederholen</translation>
    </message>
    <message>
        <source>or</source>
        <translation>oder</translation>
    </message>
    <message>
        <source>contact our support team</source>
        <translation>unser Support-Team kontaktieren</translation>
    </message>
    <message>
        <source>Finishing the install, please wait...</source>
        <translation>Die Installation wird abgeschlossen, bitte warten...</translation>
    </message>
    <message>
        <source>Failed</source>
        <translation>Fehlgeschlagen</translation>
    </message>
</context>
<context>
    <name>CMessageBox</name>
    <message>
        <source>OK</source>
        <translation>OK</translation>
    </message>
    <message>
        <source>Cancel</source>
        <translation>Abbrechen</translation>
    </message>
    <message>
        <source>Yes</source>
        <translation>Ja</translation>
    </message>
    <message>
        <source>No</source>
        <translation>Nein</translation>
    </message>
    <message>
        <source>Retry</source>
        <translation>Wiederholen</translation>
    </message>
    <message>
        <source>Apply</source>
        <translation>Übernehmen</translation>
    </message>
    <message>
        <source>Ignore</source>
        <translation>Ignorieren</translation>
    </message>
    <message>
        <source>Save</source>
        <translation>Speichern</translation>
    </message>
    <message>
        <source>Don&apos;t Save</source>
        <translation>Nicht speichern</translation>
    </message>
</context>
<context>
    <name>CVersion</name>
    <message>
        <source>%1.%2.%3 (Build %4)</source>
        <translation>%1.%2.%3 (Build %4)</translation>
    </message>
</context>
<context>
    <name>CWindowsFrame</name>
    <message>
        <source>Settings</source>
        <translation>Einstellungen</translation>
    </message>
    <message>
        <source>Help center</source>
        <translation>Hilfe-Center</translation>
    </message>
    <message>
        <source>feedback</source>
        <translation>Feedback</translation>
    </message>
</context>
<context>
    <name>Controller</name>
    <message>
        <source>Tavik Mendra</source>
        <translation>Tavik Mendra</translation>
    </message>
    <message>
        <source>Tavik Mendra - Standard Mode</source>
        <translation>Tavik Mendra - Standardmodus</translation>
    </message>
    <message>
        <source>Tavik Mendra - Advanced Mode</source>
        <translation>Tavik Mendra - Erweiterter Modus</translation>
    </message>
    <message>
        <source>Select firmware</source>
        <translation>Firmware auswählen</translation>
    </message>
    <message>
        <source>*.ipsw</source>
        <translation>*.ipsw</translation>
    </message>
    <message>
        <source>Yes</source>
        <translation>Ja</translation>
    </message>
    <message>
        <source>No</source>
        <translation>Nein</translation>
    </message>
    <message>
        <source>OK</source>
        <translation>OK</translation>
    </message>
    <message>
        <source>Supported Files</source>
        <translation>Unterstützte Dateien</translation>
    </message>
</context>
<context>
    <name>Mendra</name>
    <message>
        <source>Start</source>
        <translation>Starten</translation>
    </message>
    <message>
        <source>Download</source>
        <translation>Herunterladen</translation>
    </message>
    <message>
        <source>Download again</source>
        <translation>Neu herunterladen</translation>
    </message>
    <message>
        <source>Fixing</source>
        <translation>Wird repariert</translation>
    </message>
    <message>
        <source>Try again</source>
        <translation>Erneut versuchen</translation>
    </message>
    <message>
        <source>Done</source>
        <translation>Fertig</translation>
    </message>
    <message>
        <source>Fix Now</source>
        <translation>Jetzt reparieren</translation>
    </message>
    <message>
        <source>Enter Recovery Mode</source>
        <translation>Recovery-Modus starten</translation>
    </message>
    <message>
        <source>Quit Recovery Mode</source>
        <translation>Recovery-Modus beenden</translation>
    </message>
    <message>
        <source>Quit DFU Mode</source>
        <translation>DFU-Modus beenden</translation>
    </message>
    <message>
        <source>Downloading the Firmware package...</source>
        <translation>Das Firmware-Paket wird heruntergeladen...</translation>
    </message>
    <message>
        <source>Download finished...</source>
        <translation>Download abgeschlossen...</translation>
    </message>
    <message>
        <source>Downloading failed. Error code:</source>
        <translation>Download fehlgeschlagen. Fehlercode:</translation>
    </message>
    <message>
        <source>Verifying the Firmware package...</source>
        <translation>Das Firmware-Paket wird überprüft...</translation>
    </message>
    <message>
        <source>Verified finished...</source>
        <translation>Überprüfung abgeschlossen...</translation>
    </message>
    <message>
        <source>Verifying failed. Error code:</source>
        <translation>Überprüfung fehlgeschlagen. Fehlercode:</translation>
    </message>
    <message>
        <source>, description:</source>
        <translation>, Beschreibung:</translation>
    </message>
    <message>
        <source>Please keep the Internet well connected.</source>
        <translation>Bitte sorgen Sie für eine stabile Internetverbindung.</translation>
    </message>
    <message>
        <source>Please try other System versions or use the Advanced Mode.</source>
        <translation>Bitte versuchen Sie eine andere Systemversion oder verwenden Sie den erweiterten Modus.</translation>
    </message>
    <message>
        <source>Yes</source>
        <translation>Ja</translation>
    </message>
    <message>
        <source>No</source>
        <translation>Nein</translation>
    </message>
    <message>
        <source>Ok</source>
        <translation>OK</translation>
    </message>
    <message>
        <source>Please re-connect the device to scan and fix.</source>
        <translation>Bitte schließen Sie das Gerät erneut an, damit es geprüft und repariert werden kann.</translation>
    </message>
    <message>
        <source>Are you sure you want to stop downloading the firmware package?</source>
        <translation>Möchten Sie das Herunterladen des Firmware-Pakets wirklich abbrechen?</translation>
    </message>
    <message>
        <source>Are you sure you want to stop verifying the firmware package?</source>
        <translation>Möchten Sie die Überprüfung des Firmware-Pakets wirklich abbrechen?</translation>
    </message>
    <message>
        <source>Firmware package will be re-verfied after going back.
Go back?</source>
        <translation>Nach dem Zurückgehen wird das Firmware-Paket erneut überprüft.
Zurückgehen?</translation>
    </message>
    <message>
        <source>Are you sure to stop fixing?</source>
        <translation>Möchten Sie die Reparatur wirklich abbrechen?</translation>
    </message>
    <message>
        <source>The device is being repaired, please do not close the program.</source>
        <translation>Das Gerät wird gerade repariert. Bitte schließen Sie das Programm nicht.</translation>
    </message>
    <message>
        <source>Failed to enter Recovery Mode? Click here to enter DFU Mode.</source>
        <translation>Wiederherstellungsmodus lässt sich nicht aktivieren? Klicken Sie hier für den DFU-Modus.</translation>
    </message>
    <message>
        <source>Failed to enter DFU Mode? Click here to enter Recovery Mode.</source>
        <translation>DFU-Modus lässt sich nicht aktivieren? Klicken Sie hier für den Wiederherstellungsmodus.</translation>
    </message>
    <message>
        <source>Secondary Verification</source>
        <translation>Erneute Überprüfung</translation>
    </message>
    <message>
        <source>Unziping</source>
        <translation>Entpacken</translation>
    </message>
    <message>
        <source>Repairing</source>
        <translation>Reparatur</translation>
    </message>
    <message>
        <source>Repair complete</source>
        <translation>Reparatur abgeschlossen</translation>
    </message>
    <message>
        <source>Contact us for more help.</source>
        <translation>Kontaktieren Sie uns, wenn Sie weitere Hilfe benötigen.</translation>
    </message>
    <message>
        <source>Reparing. It takes about 10min...</source>
        <translation>Reparatur läuft. Dies dauert etwa 10 Minuten...</translation>
    </message>
    <message>
        <source>1. Keep your device connected, and do not use it during fixing.</source>
        <translation>1. Lassen Sie das Gerät verbunden und verwenden Sie es während der Reparatur nicht.</translation>
    </message>
    <message>
        <source>Repair Success.</source>
        <translation>Reparatur erfolgreich.</translation>
    </message>
    <message>
        <source>Please restart to check the device.
If the repair fails, please restart your device and PC before trying again.</source>
        <translation>Bitte starten Sie das Gerät neu, um es zu überprüfen.
Falls die Reparatur fehlgeschlagen ist, starten Sie Gerät und Computer neu, bevor Sie es erneut versuchen.</translation>
    </message>
    <message>
        <source>Repair failed.</source>
        <translation>Reparatur fehlgeschlagen.</translation>
    </message>
    <message>
        <source>Check whether the device restarts. If the restart fails, please restart computer and device before you use Advanced Mode to try again.</source>
        <translation>Prüfen Sie, ob das Gerät neu startet. Falls nicht, starten Sie Computer und Gerät neu und versuchen Sie es anschließend im erweiterten Modus erneut.</translation>
    </message>
    <message>
        <source>Device is connected but not recognized</source>
        <translation>Das Gerät ist verbunden, wird aber nicht erkannt</translation>
    </message>
    <message>
        <source>Stuck on white Apple logo 
Stuck on black screen 
Stuck in boot loop 
Stuck on connect to iTunes 
Stuck on Slide to Upgrade screen 
Stuck in recovery mode 
Stuck in DFU mode 
Stuck in headphone mode 
Stuck in the data recovery process 
iPhone frozen 
iPhone disabled 
iPhone bricked 
iPad bricked 
iPhone boot loop 
iPhone crash 
iPhone blue screen 
iPhone keeps restarting 
iPhone activation error 
iPhone won&apos;t turn on 
iPad won&apos;t turn on 
iPhone red screen 
iPhone won&apos;t turn off 
iPhone keeps turning off 
iPhone won&apos;t update 
iPhone failed to update 
iPhone stuck on loading screen 
iPhone is disabled connect to iTunes 
iPhone could not be restored error 
iPhone won&apos;t restore 
iPhone won&apos;t charge 
iPhone no service</source>
        <translation>Hängt beim weißen Apple-Logo 
Hängt bei schwarzem Bildschirm 
Hängt in einer Boot-Schleife 
Hängt bei „Mit iTunes verbinden“ 
Hängt beim Bildschirm „Zum Aktualisieren streichen“ 
Hängt im Wiederherstellungsmodus 
Hängt im DFU-Modus 
Hängt im Kopfhörermodus 
Hängt bei der Datenwiederherstellung 
iPhone eingefroren 
iPhone deaktiviert 
iPhone unbrauchbar 
iPad unbrauchbar 
iPhone in Boot-Schleife 
iPhone stürzt ab 
Blauer Bildschirm auf dem iPhone 
iPhone startet ständig neu 
iPhone-Aktivierungsfehler 
iPhone lässt sich nicht einschalten 
iPad lässt sich nicht einschalten 
Roter Bildschirm auf dem iPhone 
iPhone lässt sich nicht ausschalten 
iPhone schaltet sich ständig aus 
iPhone lässt sich nicht aktualisieren 
iPhone-Update fehlgeschlagen 
iPhone hängt beim Ladebildschirm 
„iPhone ist deaktiviert. Mit iTunes verbinden“ 
Fehler „iPhone konnte nicht wiederhergestellt werden“ 
iPhone lässt sich nicht wiederherstellen 
iPhone lädt nicht 
iPhone ohne Netz</translation>
    </message>
    <message>
        <source>Please choose Standard Mode or Advanced Mode first.</source>
        <translation>Bitte wählen Sie zuerst den Standardmodus oder den erweiterten Modus.</translation>
    </message>
    <message>
        <source>The device to be fixed is not connected. Please connect it and try again.</source>
        <translation>Das zu reparierende Gerät ist nicht verbunden. Bitte schließen Sie es an und versuchen Sie es erneut.</translation>
    </message>
    <message>
        <source>The repair could not be started. Please restart the program and try again.</source>
        <translation>Die Reparatur konnte nicht gestartet werden. Bitte starten Sie das Programm neu und versuchen Sie es erneut.</translation>
    </message>
</context>
<context>
    <name>MendraClass</name>
    <message>
        <source>Tavik Mendra</source>
        <translation>Tavik Mendra</translation>
    </message>
    <message>
        <source>Who`s</source>
        <translation>Besitzer</translation>
    </message>
    <message>
        <source>Enter Recovery Mode</source>
        <translation>Recovery-Modus starten</translation>
    </message>
    <message>
        <source>Device is not connected</source>
        <translation>Gerät ist nicht verbunden</translation>
    </message>
    <message>
        <source>Mendra</source>
        <translation>Mendra</translation>
    </message>
    <message>
        <source>Fix 50+ iOS issues like various stuck problems, black screen, etc.</source>
        <translation>Behebt über 50 iOS-Probleme wie Hänger aller Art, schwarzen Bildschirm usw.</translation>
    </message>
    <message>
        <source>&lt;!DOCTYPE HTML PUBLIC &quot;-//W3C//DTD HTML 4.0//EN&quot; &quot;http://www.w3.org/TR/REC-html40/strict.dtd&quot;&gt;
&lt;html&gt;&lt;head&gt;&lt;meta name=&quot;qrichtext&quot; content=&quot;1&quot; /&gt;&lt;style type=&quot;text/css&quot;&gt;
p, li { white-space: pre-wrap; }
&lt;/style&gt;&lt;/head&gt;&lt;body style=&quot; font-family:&apos;Segoe UI&apos;; font-size:13pt; font-weight:400; font-style:normal;&quot;&gt;
&lt;p style=&quot;-qt-paragraph-type:empty; margin-top:0px; margin-bottom:0px; margin-left:0px; margin-right:0px; -qt-block-indent:0; text-indent:0px;&quot;&gt;&lt;br /&gt;&lt;/p&gt;&lt;/body&gt;&lt;/html&gt;</source>
        <translation>&lt;!DOCTYPE HTML PUBLIC &quot;-//W3C//DTD HTML 4.0//EN&quot; &quot;http://www.w3.org/TR/REC-html40/strict.dtd&quot;&gt;
&lt;html&gt;&lt;head&gt;&lt;meta name=&quot;qrichtext&quot; content=&quot;1&quot; /&gt;&lt;style type=&quot;text/css&quot;&gt;
p, li { white-space: pre-wrap; }
&lt;/style&gt;&lt;/head&gt;&lt;body style=&quot; font-family:&apos;Segoe UI&apos;; font-size:13pt; font-weight:400; font-style:normal;&quot;&gt;
&lt;p style=&quot;-qt-paragraph-type:empty; margin-top:0px; margin-bottom:0px; margin-left:0px; margin-right:0px; -qt-block-indent:0; text-indent:0px;&quot;&gt;&lt;br /&gt;&lt;/p&gt;&lt;/body&gt;&lt;/html&gt;</translation>
    </message>
    <message>
        <source>Works on: </source>
        <translation>Geeignet für: </translation>
    </message>
    <message>
        <source>Notes:</source>
        <translation>Hinweise:</translation>
    </message>
    <message>
        <source>1. Won`t fix harware issues.</source>
        <translation>1. Hardwareprobleme werden nicht behoben.</translation>
    </message>
    <message>
        <source>2. Connect only a device for safe fix.</source>
        <translation>2. Schließen Sie für eine sichere Reparatur nur ein Gerät an.</translation>
    </message>
    <message>
        <source>1. Fix over 20 problems such as black screen of death, stuck on Apple logo, stuck in recovery mode, etc.</source>
        <translation>1. Behebt über 20 Probleme wie schwarzen Bildschirm, Hängen beim Apple-Logo oder im Wiederherstellungsmodus usw.</translation>
    </message>
    <message>
        <source>2. Repairing iOS system won’t cause any data loss.</source>
        <translation>2. Die Reparatur des iOS-Systems führt zu keinem Datenverlust.</translation>
    </message>
    <message>
        <source>Standard Mode</source>
        <translation>Standardmodus</translation>
    </message>
    <message>
        <source>1. Try this mode if iOS issues can&apos;t be fixed under Standard Mode.</source>
        <translation>1. Versuchen Sie diesen Modus, wenn sich iOS-Probleme im Standardmodus nicht beheben lassen.</translation>
    </message>
    <message>
        <source>2. Repairing iOS system would erase your data.</source>
        <translation>2. Bei der Reparatur des iOS-Systems werden Ihre Daten gelöscht.</translation>
    </message>
    <message>
        <source>Advanced Mode</source>
        <translation>Erweiterter Modus</translation>
    </message>
    <message>
        <source>Please connect your iOS device to PC</source>
        <translation>Bitte schließen Sie Ihr iOS-Gerät an den Computer an</translation>
    </message>
    <message>
        <source>1. Make sure you&apos;ve unlocked the device.</source>
        <translation>1. Stellen Sie sicher, dass das Gerät entsperrt ist.</translation>
    </message>
    <message>
        <source>2. Please check the USB connection.</source>
        <translation>2. Bitte überprüfen Sie die USB-Verbindung.</translation>
    </message>
    <message>
        <source>The firmware is already to complete.</source>
        <translation>Die Firmware ist bereit.</translation>
    </message>
    <message>
        <source>Firmware version:</source>
        <translation>Firmware-Version:</translation>
    </message>
    <message>
        <source>1. Won&apos;t fix hardware issues.</source>
        <translation>1. Hardwareprobleme werden nicht behoben.</translation>
    </message>
    <message>
        <source>2. Device requires to be re-activated after fixing.</source>
        <translation>2. Das Gerät muss nach der Reparatur erneut aktiviert werden.</translation>
    </message>
    <message>
        <source>Repairing. It takes about 10min...</source>
        <translation>Reparatur läuft. Dies dauert etwa 10 Minuten...</translation>
    </message>
    <message>
        <source>Please restart to check the device.
If the repair fails, please restart your device and PC before trying again.</source>
        <translation>Bitte starten Sie das Gerät neu, um es zu überprüfen.
Falls die Reparatur fehlgeschlagen ist, starten Sie Gerät und Computer neu, bevor Sie es erneut versuchen.</translation>
    </message>
    <message>
        <source>Note:</source>
        <translation>Hinweis:</translation>
    </message>
    <message>
        <source>1. Keep your device connected,and do not use it during fixing.</source>
        <translation>1. Lassen Sie das Gerät verbunden und verwenden Sie es während der Reparatur nicht.</translation>
    </message>
    <message>
        <source>Please confirm the device.</source>
        <translation>Bitte bestätigen Sie das Gerät.</translation>
    </message>
    <message>
        <source>And select a system version before clicking  &quot;Download&quot; button.</source>
        <translation>Wählen Sie dann eine Systemversion aus, bevor Sie auf „Herunterladen“ klicken.</translation>
    </message>
    <message>
        <source>Model:</source>
        <translation>Modell:</translation>
    </message>
    <message>
        <source>System version:</source>
        <translation>Systemversion:</translation>
    </message>
    <message>
        <source>Unable to download firmware? Click</source>
        <translation>Firmware lässt sich nicht herunterladen? Klicken Sie auf</translation>
    </message>
    <message>
        <source>Browse</source>
        <translation>Öffnen</translation>
    </message>
    <message>
        <source>to get it through the browser.</source>
        <translation>und laden Sie sie über den Browser herunter.</translation>
    </message>
    <message>
        <source>Firmware package has been downloaded. Please select the firmware package to start repair.</source>
        <translation>Das Firmware-Paket ist bereits heruntergeladen? Wählen Sie es aus, um die Reparatur zu starten.</translation>
    </message>
    <message>
        <source>Select</source>
        <translation>Auswählen</translation>
    </message>
    <message>
        <source>Please follow the setps below to put your device into Recovery Mode.</source>
        <translation>Befolgen Sie diese Schritte, um Ihr Gerät in den Wiederherstellungsmodus zu versetzen.</translation>
    </message>
    <message>
        <source>Other iDevices</source>
        <translation>Andere iOS-Geräte</translation>
    </message>
    <message>
        <source>iPhone 7/7 Plus</source>
        <translation>iPhone 7/7 Plus</translation>
    </message>
    <message>
        <source>iPhone 8 or later</source>
        <translation>iPhone 8 oder neuer</translation>
    </message>
    <message>
        <source>Apple TV</source>
        <translation>Apple TV</translation>
    </message>
    <message>
        <source>Apple TV HD</source>
        <translation>Apple TV HD</translation>
    </message>
    <message>
        <source>1</source>
        <translation>1</translation>
    </message>
    <message>
        <source>2</source>
        <translation>2</translation>
    </message>
    <message>
        <source>3</source>
        <translation>3</translation>
    </message>
    <message>
        <source>Turn off your device and connect it to your computer.</source>
        <translation>Schalten Sie Ihr Gerät aus und verbinden Sie es mit dem Computer.</translation>
    </message>
    <message>
        <source>Press and hold the Home button and the Power button at the same time.</source>
        <translation>Halten Sie die Home-Taste und die Ein/Aus-Taste gleichzeitig gedrückt.</translation>
    </message>
    <message>
        <source>Keep holding them until you see the recovery-mode screen.</source>
        <translation>Halten Sie sie gedrückt, bis der Bildschirm des Wiederherstellungsmodus erscheint.</translation>
    </message>
    <message>
        <source>Press and hold the Power button and the Volume Down button at the same time.</source>
        <translation>Halten Sie die Ein/Aus-Taste und die Leiser-Taste gleichzeitig gedrückt.</translation>
    </message>
    <message>
        <source>Press and quickly release the Volume Up button. Press and quickly release the Volume Down button. Then press and hold the Power button.</source>
        <translation>Drücken Sie kurz die Lauter-Taste und dann kurz die Leiser-Taste. Halten Sie anschließend die Ein/Aus-Taste gedrückt.</translation>
    </message>
    <message>
        <source>Keep holding Power button until you see the recovery-mode screen.</source>
        <translation>Halten Sie die Ein/Aus-Taste gedrückt, bis der Bildschirm des Wiederherstellungsmodus erscheint.</translation>
    </message>
    <message>
        <source>Connect your Apple TV to the computer with a Micro-USB cable. Plug in the power cord for the 3rd generation and leave 2nd generation unplugged.</source>
        <translation>Verbinden Sie Ihr Apple TV über ein Micro-USB-Kabel mit dem Computer. Schließen Sie bei der 3. Generation das Netzkabel an; die 2. Generation bleibt ohne Netzkabel.</translation>
    </message>
    <message>
        <source>Press and hold Menu and Down buttons on the Remote. Release them until you see the indicator light on the box start flashing repidly.</source>
        <translation>Halten Sie auf der Fernbedienung die Tasten „Menu“ und „Ab“ gedrückt. Lassen Sie sie los, sobald die Statusanzeige am Gerät schnell blinkt.</translation>
    </message>
    <message>
        <source>Keep holding Menu and Play/Pause buttons for 6s and then release them.</source>
        <translation>Halten Sie die Tasten „Menu“ und „Play/Pause“ 6 Sekunden lang gedrückt und lassen Sie sie dann los.</translation>
    </message>
    <message>
        <source>Connect your Apple TV to the computer with a USB-C cable. Plug in the power cord.</source>
        <translation>Verbinden Sie Ihr Apple TV über ein USB-C-Kabel mit dem Computer. Schließen Sie das Netzkabel an.</translation>
    </message>
    <message>
        <source>Press and hold Menu and Home buttons on the Remote. Release them until you see the indicator light on the box start flashing rapidly.</source>
        <translation>Halten Sie auf der Fernbedienung die Tasten „Menu“ und „Home“ gedrückt. Lassen Sie sie los, sobald die Statusanzeige am Gerät schnell blinkt.</translation>
    </message>
    <message>
        <source>Please follow the setps below to put your device into DFU Mode.</source>
        <translation>Befolgen Sie diese Schritte, um Ihr Gerät in den DFU-Modus zu versetzen.</translation>
    </message>
    <message>
        <source>Press and hold the Home button and the Power button for 10 seconds.</source>
        <translation>Halten Sie die Home-Taste und die Ein/Aus-Taste 10 Sekunden lang gedrückt.</translation>
    </message>
    <message>
        <source>Release the Power button, but still keep holding the Home button for about 5 seconds.</source>
        <translation>Lassen Sie die Ein/Aus-Taste los, halten Sie die Home-Taste aber noch etwa 5 Sekunden gedrückt.</translation>
    </message>
    <message>
        <source>Press and hold the Power button and the Volume Down button for 8 seconds.</source>
        <translation>Halten Sie die Ein/Aus-Taste und die Leiser-Taste 8 Sekunden lang gedrückt.</translation>
    </message>
    <message>
        <source>Release the Power button,but still keep holding the Volume Down button for about 5 seconds.</source>
        <translation>Lassen Sie die Ein/Aus-Taste los, halten Sie die Leiser-Taste aber noch etwa 5 Sekunden gedrückt.</translation>
    </message>
    <message>
        <source>Please connect device to computer. Quick press Volume Up button and release. Quick press Volume Down button and release. Press and hold Power button for 10s.</source>
        <translation>Verbinden Sie das Gerät mit dem Computer. Drücken Sie kurz die Lauter-Taste und dann kurz die Leiser-Taste. Halten Sie anschließend die Ein/Aus-Taste 10 Sekunden lang gedrückt.</translation>
    </message>
    <message>
        <source>While holding Power button, press and hold Volume Down button for 5s.</source>
        <translation>Halten Sie die Ein/Aus-Taste weiter gedrückt und zusätzlich 5 Sekunden lang die Leiser-Taste.</translation>
    </message>
    <message>
        <source>Release Power button but keep holding Volume Down button for another 10s.</source>
        <translation>Lassen Sie die Ein/Aus-Taste los, halten Sie die Leiser-Taste aber weitere 10 Sekunden gedrückt.</translation>
    </message>
    <message>
        <source>iPhone</source>
        <translation>iPhone</translation>
    </message>
    <message>
        <source>iPad</source>
        <translation>iPad</translation>
    </message>
    <message>
        <source>iPod</source>
        <translation>iPod</translation>
    </message>
    <message>
        <source>iPhone 12 Pro Max</source>
        <translation>iPhone 12 Pro Max</translation>
    </message>
    <message>
        <source>iPhone 12 Pro</source>
        <translation>iPhone 12 Pro</translation>
    </message>
    <message>
        <source>iPhone 12</source>
        <translation>iPhone 12</translation>
    </message>
    <message>
        <source>iPhone 12 Mini</source>
        <translation>iPhone 12 Mini</translation>
    </message>
    <message>
        <source>iPhone 11 Pro Max</source>
        <translation>iPhone 11 Pro Max</translation>
    </message>
    <message>
        <source>iPhone 11 Pro</source>
        <translation>iPhone 11 Pro</translation>
    </message>
    <message>
        <source>iPhone 11</source>
        <translation>iPhone 11</translation>
    </message>
    <message>
        <source>iPhone XS Max</source>
        <translation>iPhone XS Max</translation>
    </message>
    <message>
        <source>iPhone XS</source>
        <translation>iPhone XS</translation>
    </message>
    <message>
        <source>iPhone XR</source>
        <translation>iPhone XR</translation>
    </message>
    <message>
        <source>iPhone X</source>
        <translation>iPhone X</translation>
    </message>
    <message>
        <source>iPhone 8 Plus</source>
        <translation>iPhone 8 Plus</translation>
    </message>
    <message>
        <source>iPhone 8</source>
        <translation>iPhone 8</translation>
    </message>
    <message>
        <source>iPhone 7 Plus</source>
        <translation>iPhone 7 Plus</translation>
    </message>
    <message>
        <source>iPhone 7</source>
        <translation>iPhone 7</translation>
    </message>
    <message>
        <source>iPhone SE (2nd generation)</source>
        <translation>iPhone SE (2. Generation)</translation>
    </message>
    <message>
        <source>iPhone SE</source>
        <translation>iPhone SE</translation>
    </message>
    <message>
        <source>iPhone 6S Plus</source>
        <translation>iPhone 6S Plus</translation>
    </message>
    <message>
        <source>iPhone 6S</source>
        <translation>iPhone 6S</translation>
    </message>
    <message>
        <source>iPhone 6 Plus</source>
        <translation>iPhone 6 Plus</translation>
    </message>
    <message>
        <source>iPhone 6</source>
        <translation>iPhone 6</translation>
    </message>
    <message>
        <source>iPhone 5S</source>
        <translation>iPhone 5S</translation>
    </message>
    <message>
        <source>iPhone 5C</source>
        <translation>iPhone 5C</translation>
    </message>
    <message>
        <source>iPhone 5</source>
        <translation>iPhone 5</translation>
    </message>
    <message>
        <source>iPhone 4S</source>
        <translation>iPhone 4S</translation>
    </message>
    <message>
        <source>iPhone 4</source>
        <translation>iPhone 4</translation>
    </message>
    <message>
        <source>iPad Pro (4th, 11&quot;/12.9&quot;)</source>
        <translation>iPad Pro (4. Gen., 11&quot;/12,9&quot;)</translation>
    </message>
    <message>
        <source>iPad Pro (3rd, 11&quot;/12.9&quot;)</source>
        <translation>iPad Pro (3. Gen., 11&quot;/12,9&quot;)</translation>
    </message>
    <message>
        <source>iPad Pro (2nd, 10.5&apos;&apos;/12.9&apos;&apos;)</source>
        <translation>iPad Pro (2. Gen., 10,5&apos;&apos;/12,9&apos;&apos;)</translation>
    </message>
    <message>
        <source>iPad Pro (1st, 12.9&apos;&apos;)</source>
        <translation>iPad Pro (1. Gen., 12,9&apos;&apos;)</translation>
    </message>
    <message>
        <source>iPad Pro (1st, 9.7&apos;&apos;)</source>
        <translation>iPad Pro (1. Gen., 9,7&apos;&apos;)</translation>
    </message>
    <message>
        <source>iPad Mini (5th generation)</source>
        <translation>iPad Mini (5. Generation)</translation>
    </message>
    <message>
        <source>iPad Mini 4</source>
        <translation>iPad Mini 4</translation>
    </message>
    <message>
        <source>iPad Mini 3</source>
        <translation>iPad Mini 3</translation>
    </message>
    <message>
        <source>iPad Mini 2</source>
        <translation>iPad Mini 2</translation>
    </message>
    <message>
        <source>iPad Mini</source>
        <translation>iPad Mini</translation>
    </message>
    <message>
        <source>iPad Air (4th generation)</source>
        <translation>iPad Air (4. Generation)</translation>
    </message>
    <message>
        <source>iPad Air (3rd generation)</source>
        <translation>iPad Air (3. Generation)</translation>
    </message>
    <message>
        <source>iPad Air 2</source>
        <translation>iPad Air 2</translation>
    </message>
    <message>
        <source>iPad Air</source>
        <translation>iPad Air</translation>
    </message>
    <message>
        <source>iPad (8th generation)</source>
        <translation>iPad (8. Generation)</translation>
    </message>
    <message>
        <source>iPad (7th generation)</source>
        <translation>iPad (7. Generation)</translation>
    </message>
    <message>
        <source>iPad (6th generation)</source>
        <translation>iPad (6. Generation)</translation>
    </message>
    <message>
        <source>iPad (5th generation)</source>
        <translation>iPad (5. Generation)</translation>
    </message>
    <message>
        <source>iPad (4th generation)</source>
        <translation>iPad (4. Generation)</translation>
    </message>
    <message>
        <source>iPad 2</source>
        <translation>iPad 2</translation>
    </message>
    <message>
        <source>iPad (1st generation)</source>
        <translation>iPad (1. Generation)</translation>
    </message>
    <message>
        <source>iPod Touch 6</source>
        <translation>iPod Touch 6</translation>
    </message>
    <message>
        <source>iPod Touch 5</source>
        <translation>iPod Touch 5</translation>
    </message>
    <message>
        <source>iPod Touch 4</source>
        <translation>iPod Touch 4</translation>
    </message>
    <message>
        <source>Apple TV 3rd Generation</source>
        <translation>Apple TV (3. Generation)</translation>
    </message>
    <message>
        <source>Apple TV 2nd Generation</source>
        <translation>Apple TV (2. Generation)</translation>
    </message>
</context>
<context>
    <name>MendraMessageBox</name>
    <message>
        <source>Tavik Mendra</source>
        <translation>Tavik Mendra</translation>
    </message>
</context>
<context>
    <name>MyApplication</name>
    <message>
        <source>Component Installed.
 Please restart program and then re-connect device. </source>
        <translation>Komponente installiert.
Bitte starten Sie das Programm neu und schließen Sie danach das Gerät erneut an.</translation>
    </message>
    <message>
        <source>Ok</source>
        <translation>OK</translation>
    </message>
    <message>
        <source>Initiating failed!</source>
        <translation>Initialisierung fehlgeschlagen!</translation>
    </message>
    <message>
        <source>Skin initialization failed!</source>
        <translation>Initialisierung des Skins fehlgeschlagen!</translation>
    </message>
    <message>
        <source>Partial skin files initialing failed!</source>
        <translation>Einige Skin-Dateien konnten nicht initialisiert werden!</translation>
    </message>
</context>
<context>
    <name>MyBugReportView</name>
    <message>
        <source>Invalid email address.</source>
        <translation>Ungültige E-Mail-Adresse.</translation>
    </message>
    <message>
        <source>Invalid characters in the name.</source>
        <translation>Ungültige Zeichen im Namen.</translation>
    </message>
    <message>
        <source>The attachment is larger than %1 MB.</source>
        <translation>Der Anhang ist größer als %1 MB.</translation>
    </message>
    <message>
        <source>The file %1 cannot be attached.</source>
        <translation>Die Datei %1 kann nicht angehängt werden.</translation>
    </message>
    <message>
        <source>Email</source>
        <translation>E-Mail</translation>
    </message>
    <message>
        <source>Name</source>
        <translation>Name</translation>
    </message>
    <message>
        <source>If you have encountered some problems or received an error,please send us your details or screenshots.</source>
        <translation>Wenn Probleme aufgetreten sind oder eine Fehlermeldung erschienen ist, senden Sie uns bitte Einzelheiten oder Bildschirmfotos.</translation>
    </message>
    <message>
        <source>Bug reports are not set up on this installation.</source>
        <translation>Fehlerberichte sind in dieser Installation nicht eingerichtet.</translation>
    </message>
    <message>
        <source>Attachment: %1</source>
        <translation>Anhang: %1</translation>
    </message>
    <message>
        <source>Add Attachment</source>
        <translation>Anhang hinzufügen</translation>
    </message>
</context>
<context>
    <name>MyFrame</name>
    <message>
        <source>Menu</source>
        <translation>Menü</translation>
    </message>
    <message>
        <source>Language</source>
        <translation>Sprache</translation>
    </message>
    <message>
        <source>Setting</source>
        <translation>Einstellungen</translation>
    </message>
    <message>
        <source>User Guide</source>
        <translation>Benutzerhandbuch</translation>
    </message>
    <message>
        <source>Bug Report</source>
        <translation>Fehler melden</translation>
    </message>
    <message>
        <source>About</source>
        <translation>Über</translation>
    </message>
    <message>
        <source>Check for update</source>
        <translation>Nach Updates suchen</translation>
    </message>
</context>
<context>
    <name>MyModel</name>
    <message>
        <source>Ok</source>
        <translation>OK</translation>
    </message>
    <message>
        <source>Bug Report sent successful!</source>
        <translation>Fehlerbericht erfolgreich gesendet!</translation>
    </message>
    <message>
        <source>Bug Report sent failed!</source>
        <translation>Fehlerbericht konnte nicht gesendet werden!</translation>
    </message>
</context>
<context>
    <name>MySettingView</name>
    <message>
        <source>Open Directory</source>
        <translation>Ordner öffnen</translation>
    </message>
    <message>
        <source>There is not enough disk space. Please clean up the destination disk or select another folder.</source>
        <translation>Nicht genügend Speicherplatz. Bitte räumen Sie das Ziellaufwerk auf oder wählen Sie einen anderen Ordner.</translation>
    </message>
    <message>
        <source>This folder cannot be written to. Please select another folder.</source>
        <translation>In diesen Ordner kann nicht geschrieben werden. Bitte wählen Sie einen anderen Ordner.</translation>
    </message>
</context>
<context>
    <name>MyUpdateView</name>
    <message>
        <source>Current version:</source>
        <translation>Aktuelle Version:</translation>
    </message>
    <message>
        <source>Update available:</source>
        <translation>Update verfügbar:</translation>
    </message>
</context>
<context>
    <name>QObject</name>
    <message>
        <source>Database has been upgraded. Please restart program.</source>
        <translation>Die Datenbank wurde aktualisiert. Bitte starten Sie das Programm neu.</translation>
    </message>
    <message>
        <source>Device not connected. Please re-connect device.</source>
        <translation>Gerät nicht verbunden. Bitte schließen Sie das Gerät erneut an.</translation>
    </message>
    <message>
        <source>The repair ended without a result. Please try again.</source>
        <translation>Die Reparatur wurde ohne Ergebnis beendet. Bitte versuchen Sie es erneut.</translation>
    </message>
    <message>
        <source>Failed to enter recovery mode. Please try again.</source>
        <translation>Der Wiederherstellungsmodus konnte nicht aktiviert werden. Bitte versuchen Sie es erneut.</translation>
    </message>
    <message>
        <source>Failed to quit recovery mode. Please try again.</source>
        <translation>Der Wiederherstellungsmodus konnte nicht beendet werden. Bitte versuchen Sie es erneut.</translation>
    </message>
    <message>
        <source>Device detected. Please select mode to fix it.</source>
        <translation>Gerät erkannt. Bitte wählen Sie einen Reparaturmodus.</translation>
    </message>
    <message>
        <source>Downloading/Verifying Firmware package...
Are you sure to exit?</source>
        <translation>Das Firmware-Paket wird heruntergeladen/überprüft...
Möchten Sie das Programm wirklich beenden?</translation>
    </message>
    <message>
        <source>Fixing the device now.
Quiting might result in unknown device errors. Please don&apos;t shut down the program before the fixing completes. </source>
        <translation>Das Gerät wird gerade repariert.
Beim Beenden können unbekannte Gerätefehler auftreten. Bitte schließen Sie das Programm nicht, bevor die Reparatur abgeschlossen ist.</translation>
    </message>
    <message>
        <source>Time out in requesting background data. (-100)</source>
        <translation>Zeitüberschreitung beim Abrufen der Hintergrunddaten. (-100)</translation>
    </message>
    <message>
        <source>Internal data error.</source>
        <translation>Interner Datenfehler.</translation>
    </message>
    <message>
        <source>Program can&apos;t connect to the Internet. You could modify the Proxy settings in &quot;Settings - Connection&quot;.</source>
        <translation>Das Programm kann keine Verbindung zum Internet herstellen. Sie können die Proxy-Einstellungen unter „Einstellungen - Verbindung“ ändern.</translation>
    </message>
    <message>
        <source>Update:failed to find product record.</source>
        <translation>Update: Kein Produkteintrag gefunden.</translation>
    </message>
    <message>
        <source>Updateable</source>
        <translation>Update möglich</translation>
    </message>
    <message>
        <source>Update:you are using the newest version.</source>
        <translation>Update: Sie verwenden die neueste Version.</translation>
    </message>
    <message>
        <source>Update:xml data error.</source>
        <translation>Update: Fehler in den XML-Daten.</translation>
    </message>
    <message>
        <source>Other errors. Please contact our Customer Service Center.</source>
        <translation>Sonstiger Fehler. Bitte wenden Sie sich an unser Kundenservice-Center.</translation>
    </message>
    <message>
        <source>Sending a bug report. Please try another later.</source>
        <translation>Ein Fehlerbericht wird gerade gesendet. Bitte versuchen Sie es später erneut.</translation>
    </message>
    <message>
        <source>Please describe the problem clearly before submitting.</source>
        <translation>Bitte beschreiben Sie das Problem genau, bevor Sie den Bericht senden.</translation>
    </message>
    <message>
        <source>Unknown error, try again please.</source>
        <translation>Unbekannter Fehler, bitte versuchen Sie es erneut.</translation>
    </message>
    <message>
        <source>Bug sending failed, please try again.</source>
        <translation>Der Fehlerbericht konnte nicht gesendet werden, bitte versuchen Sie es erneut.</translation>
    </message>
</context>
<context>
    <name>SettingView</name>
    <message>
        <source>Setting</source>
        <translation>Einstellungen</translation>
    </message>
    <message>
        <source>Repair file download:</source>
        <translation>Download-Ordner für Reparaturdateien:</translation>
    </message>
    <message>
        <source>···</source>
        <translation>···</translation>
    </message>
    <message>
        <source>Open</source>
        <translation>Öffnen</translation>
    </message>
    <message>
        <source>Automatically delete the file after completion</source>
        <translation>Datei nach Abschluss automatisch löschen</translation>
    </message>
</context>
<context>
    <name>TitleBar</name>
    <message>
        <source>Settings</source>
        <translation>Einstellungen</translation>
    </message>
    <message>
        <source>Help center</source>
        <translation>Hilfe-Center</translation>
    </message>
    <message>
        <source>feedback</source>
        <translation>Feedback</translation>
    </message>
</context>
<context>
    <name>UpdateView</name>
    <message>
        <source>Software Update</source>
        <translation>Softwareaktualisierung</translation>
    </message>
    <message>
        <source>Check for update failed. Please try again later.</source>
        <translation>Die Suche nach Updates ist fehlgeschlagen. Bitte versuchen Sie es später erneut.</translation>
    </message>
    <message>
        <source>Retry</source>
        <translation>Wiederholen</translation>
    </message>
    <message>
        <source>Update</source>
        <translation>Aktualisieren</translation>
    </message>
    <message>
        <source>Skip</source>
        <translation>Überspringen</translation>
    </message>
    <message>
        <source>You are using the latest version.</source>
        <translation>Sie verwenden die neueste Version.</translation>
    </message>
    <message>
        <source>OK</source>
        <translation>OK</translation>
    </message>
</context>
</TS>
