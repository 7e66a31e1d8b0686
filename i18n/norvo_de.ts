<?xml version="1.0" encoding="utf-8"?>
<!DOCTYPE TS>
<TS version="2.1" language="de">
<context>
    <name>Accessibility</name>
    <message>
        <source>Norvo logo</source>
        <translation>Norvo-Logo</translation>
    </message>
    <message>
        <source>The maker&apos;s logo</source>
        <translation>Das Logo des Herstellers</translation>
    </message>
    <message>
        <source>The router model this program upgrades</source>
        <translation>Das Routermodell, das dieses Programm aktualisiert</translation>
    </message>
    <message>
        <source>The version of this upgrade program</source>
        <translation>Die Version dieses Aktualisierungsprogramms</translation>
    </message>
    <message>
        <source>Upgrade steps</source>
        <translation>Schritte der Aktualisierung</translation>
    </message>
    <message>
        <source>The page of the upgrade shown now</source>
        <translation>Die gerade angezeigte Seite der Aktualisierung</translation>
    </message>
    <message>
        <source>The router&apos;s administrator password; leave it empty if the router has none. Enter starts the upgrade</source>
        <translation>Das Administratorpasswort des Routers; leer lassen, wenn der Router keines hat. Die Eingabetaste startet die Aktualisierung</translation>
    </message>
    <message>
        <source>Tick it when this PC is connected to the router by a cable; then the upgrade can start</source>
        <translation>Aktivieren Sie es, wenn dieser PC per Kabel mit dem Router verbunden ist; dann kann die Aktualisierung beginnen</translation>
    </message>
    <message>
        <source>The step the upgrade is at</source>
        <translation>Der Schritt, bei dem die Aktualisierung gerade ist</translation>
    </message>
    <message>
        <source>How far the current operation has come</source>
        <translation>Wie weit der aktuelle Vorgang ist</translation>
    </message>
    <message>
        <source>The router&apos;s address; found as the default gateway</source>
        <translation>Die Adresse des Routers; als Standard-Gateway gefunden</translation>
    </message>
    <message>
        <source>The port of the router&apos;s web interface, normally 80</source>
        <translation>Der Port der Weboberfläche des Routers, normalerweise 80</translation>
    </message>
    <message>
        <source>The router&apos;s administrator user name</source>
        <translation>Der Benutzername des Administrators des Routers</translation>
    </message>
    <message>
        <source>The router&apos;s administrator password; when empty the one of the first page</source>
        <translation>Das Administratorpasswort des Routers; wenn leer, das der ersten Seite</translation>
    </message>
    <message>
        <source>Asks the router for its firmware version and shows it below</source>
        <translation>Fragt den Router nach seiner Firmware-Version und zeigt sie darunter an</translation>
    </message>
    <message>
        <source>The firmware version the router reported</source>
        <translation>Die Firmware-Version, die der Router gemeldet hat</translation>
    </message>
    <message>
        <source>The file the router settings are saved to</source>
        <translation>Die Datei, in der die Einstellungen des Routers gespeichert werden</translation>
    </message>
    <message>
        <source>Choose settings file</source>
        <translation>Einstellungsdatei wählen</translation>
    </message>
    <message>
        <source>Opens a dialog to choose the file the router settings are saved to</source>
        <translation>Öffnet einen Dialog, um die Datei für die Einstellungen des Routers zu wählen</translation>
    </message>
    <message>
        <source>Downloads the router settings into the file named above</source>
        <translation>Lädt die Einstellungen des Routers in die oben genannte Datei</translation>
    </message>
    <message>
        <source>Router answer</source>
        <translation>Antwort des Routers</translation>
    </message>
    <message>
        <source>The router&apos;s answer to the last upload</source>
        <translation>Die Antwort des Routers auf die letzte Übertragung</translation>
    </message>
    <message>
        <source>The settings file that is sent back to the router</source>
        <translation>Die Einstellungsdatei, die auf den Router zurückgespielt wird</translation>
    </message>
    <message>
        <source>Sends the settings file to the router and restarts the router</source>
        <translation>Sendet die Einstellungsdatei an den Router und startet den Router neu</translation>
    </message>
    <message>
        <source>Opens a dialog to choose the settings file to restore</source>
        <translation>Öffnet einen Dialog, um die wiederherzustellende Einstellungsdatei zu wählen</translation>
    </message>
    <message>
        <source>Success</source>
        <translation>Erfolg</translation>
    </message>
    <message>
        <source>The upgrade succeeded</source>
        <translation>Die Aktualisierung ist gelungen</translation>
    </message>
    <message>
        <source>Failure</source>
        <translation>Fehlschlag</translation>
    </message>
    <message>
        <source>The upgrade did not succeed</source>
        <translation>Die Aktualisierung ist nicht gelungen</translation>
    </message>
    <message>
        <source>The outcome of the upgrade</source>
        <translation>Das Ergebnis der Aktualisierung</translation>
    </message>
    <message>
        <source>The product support web site; Enter or Space opens it</source>
        <translation>Die Support-Website des Produkts; Eingabetaste oder Leertaste öffnet sie</translation>
    </message>
    <message>
        <source>The file to send to support</source>
        <translation>Die Datei, die Sie an den Support senden</translation>
    </message>
    <message>
        <source>Opens the page that puts the saved router settings back</source>
        <translation>Öffnet die Seite, die die gesicherten Einstellungen auf den Router zurückspielt</translation>
    </message>
    <message>
        <source>Saves the firmware file, for an upgrade through the router&apos;s own pages</source>
        <translation>Speichert die Firmware-Datei, für eine Aktualisierung über die Weboberfläche des Routers</translation>
    </message>
    <message>
        <source>Closes the program</source>
        <translation>Schließt das Programm</translation>
    </message>
    <message>
        <source>Goes on; on the first page it starts the upgrade of the router</source>
        <translation>Geht weiter; auf der ersten Seite startet es die Aktualisierung des Routers</translation>
    </message>
    <message>
        <source>Goes back to the page before</source>
        <translation>Geht zur vorigen Seite zurück</translation>
    </message>
    <message>
        <source>Runs the test code</source>
        <translation>Führt den Testcode aus</translation>
    </message>
    <message>
        <source>Shows the tabs of all pages</source>
        <translation>Zeigt die Reiter aller Seiten</translation>
    </message>
</context>
<context>
    <name>CommandLine</name>
    <message>
        <source>Try &apos;%1 --help&apos; for more information.</source>
        <translation>Mit &apos;%1 --help&apos; erfahren Sie mehr.</translation>
    </message>
    <message>
        <source>
Exit status of --express, --check and --restore:
  0  upgraded and verified, already current, the version read, or the settings restored
  1  the program cannot run, or the run failed before anything on the router changed
  2  unknown option or argument
  3  cannot log in to the router; nothing on it changed
  4  the run failed after the router was changed: the settings backup is kept (its path is printed)
  5  upgraded, but no password proves that the router took its settings back: the backup is kept
  6  the firmware image in this program is missing or damaged
  7  no router found: this PC has no default gateway (name one with --router)
  8  another run of this program is changing a router from this PC
  9  a settings backup of this router is still pending (restore it, or use --new-backup)

The password is never given on the command line: --password-file FILE (its first line; the file may be
readable by you alone), else standard input when it is not a terminal, else it is asked for on the
terminal without echo. An empty line is an empty password.
</source>
        <translation>
Exit-Status von --express, --check und --restore:
  0  aktualisiert und geprüft, bereits aktuell, Version gelesen oder Einstellungen wiederhergestellt
  1  das Programm kann nicht laufen, oder der Lauf scheiterte, bevor sich am Router etwas änderte
  2  unbekannte Option oder unbekanntes Argument
  3  Anmeldung am Router nicht möglich; am Router hat sich nichts geändert
  4  der Lauf scheiterte, nachdem der Router geändert wurde: die Sicherung der Einstellungen bleibt
     erhalten (ihr Pfad wird ausgegeben)
  5  aktualisiert, aber kein Passwort belegt, dass der Router seine Einstellungen zurückerhalten hat:
     die Sicherung bleibt erhalten
  6  das Firmware-Abbild in diesem Programm fehlt oder ist beschädigt
  7  kein Router gefunden: dieser PC hat kein Standard-Gateway (nennen Sie einen mit --router)
  8  ein anderer Lauf dieses Programms ändert gerade einen Router von diesem PC aus
  9  eine Sicherung der Einstellungen dieses Routers steht noch aus (stellen Sie sie wieder her,
     oder verwenden Sie --new-backup)

Das Passwort wird nie auf der Befehlszeile angegeben: --password-file DATEI (ihre erste Zeile; nur Sie
dürfen die Datei lesen können), sonst die Standardeingabe, wenn sie kein Terminal ist, sonst wird es im
Terminal ohne Anzeige abgefragt. Eine leere Zeile ist ein leeres Passwort.
</translation>
    </message>
    <message>
        <source>Upgrades the firmware of a Norvo WRX-270 router wired to this PC, over the router&apos;s web interface.

Also takes Qt&apos;s own options, such as -platform NAME, -style NAME, -stylesheet FILE, -geometry WxH+X+Y, -display HOST:N and -reverse.</source>
        <translation>Aktualisiert die Firmware eines Norvo-Routers WRX-270, der per Kabel mit diesem PC verbunden ist, über die Weboberfläche des Routers.

Versteht auch die Optionen von Qt, etwa -platform NAME, -style NAME, -stylesheet FILE, -geometry WxH+X+Y, -display HOST:N und -reverse.</translation>
    </message>
    <message>
        <source>Displays this help and exits.</source>
        <translation>Zeigt diese Hilfe an und beendet das Programm.</translation>
    </message>
    <message>
        <source>Displays the program&apos;s name and version and exits.</source>
        <translation>Zeigt Name und Version des Programms an und beendet es.</translation>
    </message>
    <message>
        <source>Let a build without a real firmware image send and save its placeholder image. Only for simulated routers (the demo, the end-to-end tests, the benchmark): never for a real router.</source>
        <translation>Erlaubt einem Build ohne echtes Firmware-Abbild, sein Platzhalter-Abbild zu senden und zu speichern. Nur für simulierte Router (Demo, End-to-End-Tests, Benchmark): nie für einen echten Router.</translation>
    </message>
    <message>
        <source>Upgrade the router&apos;s firmware without the window: save its settings, upgrade, restore the settings, verify.</source>
        <translation>Aktualisiert die Firmware des Routers ohne Fenster: Einstellungen sichern, aktualisieren, Einstellungen wiederherstellen, prüfen.</translation>
    </message>
    <message>
        <source>Log in to the router and print its firmware version.</source>
        <translation>Meldet sich am Router an und gibt seine Firmware-Version aus.</translation>
    </message>
    <message>
        <source>Restore the router&apos;s settings from FILE and restart it.</source>
        <translation>Stellt die Einstellungen des Routers aus FILE wieder her und startet ihn neu.</translation>
    </message>
    <message>
        <source>The router&apos;s address (IPv4 address or host name, optionally :port) instead of the default gateway; kept while the router restarts.</source>
        <translation>Die Adresse des Routers (IPv4-Adresse oder Hostname, wahlweise mit :Port) statt des Standard-Gateways; sie bleibt beim Neustart des Routers bestehen.</translation>
    </message>
    <message>
        <source>Read the router&apos;s password from the first line of FILE (readable by you alone).</source>
        <translation>Liest das Passwort des Routers aus der ersten Zeile von FILE (nur für Sie lesbar).</translation>
    </message>
    <message>
        <source>Print only the outcome.</source>
        <translation>Gibt nur das Ergebnis aus.</translation>
    </message>
    <message>
        <source>Upgrade also when a settings backup of this router from an earlier run is still pending.</source>
        <translation>Aktualisiert auch, wenn eine Sicherung der Einstellungen dieses Routers aus einem früheren Lauf noch aussteht.</translation>
    </message>
    <message>
        <source>Unexpected argument &apos;%1&apos;.</source>
        <translation>Unerwartetes Argument &apos;%1&apos;.</translation>
    </message>
    <message>
        <source>Only one of --express, --check and --restore at a time.</source>
        <translation>Nur eine der Optionen --express, --check und --restore auf einmal.</translation>
    </message>
    <message>
        <source>&apos;--%1&apos; given more than once.</source>
        <translation>&apos;--%1&apos; mehrfach angegeben.</translation>
    </message>
    <message>
        <source>&apos;--%1&apos; goes with --express, --check or --restore.</source>
        <translation>&apos;--%1&apos; gehört zu --express, --check oder --restore.</translation>
    </message>
    <message>
        <source>&apos;--new-backup&apos; goes with --express only.</source>
        <translation>&apos;--new-backup&apos; gehört nur zu --express.</translation>
    </message>
    <message>
        <source>&apos;--restore&apos; needs a file.</source>
        <translation>&apos;--restore&apos; braucht eine Datei.</translation>
    </message>
    <message>
        <source>&apos;%1&apos; is no router address: give an IPv4 address or a host name, optionally with :port (1-65535).</source>
        <translation>&apos;%1&apos; ist keine Router-Adresse: Geben Sie eine IPv4-Adresse oder einen Hostnamen an, wahlweise mit :Port (1-65535).</translation>
    </message>
    <message>
        <source>&apos;--password-file&apos; needs a file.</source>
        <translation>&apos;--password-file&apos; braucht eine Datei.</translation>
    </message>
    <message>
        <source>the window system &quot;%1&quot; could not be started</source>
        <translation>das Fenstersystem &quot;%1&quot; konnte nicht gestartet werden</translation>
    </message>
    <message>
        <source>neither DISPLAY nor WAYLAND_DISPLAY is set</source>
        <translation>weder DISPLAY noch WAYLAND_DISPLAY ist gesetzt</translation>
    </message>
    <message>
        <source>none could be reached through %1</source>
        <translation>über %1 war keine erreichbar</translation>
    </message>
    <message>
        <source> or </source>
        <translation> oder </translation>
    </message>
    <message>
        <source>%1: no display to show the window on (%2); start it from a desktop session.</source>
        <translation>%1: keine Anzeige für das Fenster (%2); starten Sie das Programm aus einer Desktop-Sitzung.</translation>
    </message>
</context>
<context>
    <name>ShownText</name>
    <message>
        <source>Saving Router Settings...</source>
        <translation>Router-Einstellungen werden gesichert...</translation>
    </message>
    <message>
        <source>Uploading Router Settings...</source>
        <translation>Router-Einstellungen werden übertragen...</translation>
    </message>
    <message>
        <source>Finalizing Router Settings Upload...</source>
        <translation>Übertragung der Router-Einstellungen wird abgeschlossen...</translation>
    </message>
    <message>
        <source>Upgrading Firmware...</source>
        <translation>Firmware wird aktualisiert...</translation>
    </message>
    <message>
        <source>Finalizing Firmware Upgrade...</source>
        <translation>Firmware-Aktualisierung wird abgeschlossen...</translation>
    </message>
    <message>
        <source>Restarting Router...</source>
        <translation>Router wird neu gestartet...</translation>
    </message>
    <message>
        <source>The router has finished restarting...</source>
        <translation>Der Router ist neu gestartet...</translation>
    </message>
    <message>
        <source>Contacting the router...</source>
        <translation>Verbindung zum Router wird hergestellt...</translation>
    </message>
    <message>
        <source>Retrieving default gateway...</source>
        <translation>Standard-Gateway wird ermittelt...</translation>
    </message>
    <message>
        <source>Please wait while the router writes the new firmware. Do not turn it off...</source>
        <translation>Bitte warten Sie, während der Router die neue Firmware schreibt. Schalten Sie ihn nicht aus...</translation>
    </message>
    <message>
        <source>There is a problem with the firmware in this installer. Please try downloading it again.</source>
        <translation>Mit der Firmware in diesem Installationsprogramm stimmt etwas nicht. Bitte laden Sie es erneut herunter.</translation>
    </message>
    <message>
        <source>Cannot log in to the router. Please check the wiring, retype the password if needed, then click the Next button.</source>
        <translation>Anmeldung am Router nicht möglich. Bitte prüfen Sie die Kabelverbindung, geben Sie das Passwort bei Bedarf erneut ein und klicken Sie dann auf Weiter.</translation>
    </message>
    <message>
        <source>The router did not confirm that it received the new firmware. It may still be writing it: do not turn the router off or unplug it for the next few minutes.</source>
        <translation>Der Router hat den Empfang der neuen Firmware nicht bestätigt. Möglicherweise schreibt er sie noch: Schalten Sie den Router in den nächsten Minuten nicht aus und trennen Sie ihn nicht vom Strom.</translation>
    </message>
    <message>
        <source>There was an error with the upgrade process.</source>
        <translation>Bei der Aktualisierung ist ein Fehler aufgetreten.</translation>
    </message>
    <message>
        <source>The firmware version does not match.</source>
        <translation>Die Firmware-Version stimmt nicht überein.</translation>
    </message>
    <message>
        <source>Could not connect to router and/or determine firmware version.</source>
        <translation>Keine Verbindung zum Router möglich oder Firmware-Version nicht ermittelbar.</translation>
    </message>
    <message>
        <source>This router has firmware version 3.0.</source>
        <translation>Dieser Router hat die Firmware-Version 3.0.</translation>
    </message>
    <message>
        <source>Error logging into router.</source>
        <translation>Fehler bei der Anmeldung am Router.</translation>
    </message>
    <message>
        <source>Congratulations! You have successfully upgraded the firmware on your router.</source>
        <translation>Herzlichen Glückwunsch! Die Firmware Ihres Routers wurde erfolgreich aktualisiert.</translation>
    </message>
    <message>
        <source>Congratulations! This router now contains the most current firmware.</source>
        <translation>Herzlichen Glückwunsch! Dieser Router hat jetzt die aktuelle Firmware.</translation>
    </message>
    <message>
        <source>You may close this installer and try running it again or use the web interface of your router to perform the upgrade.</source>
        <translation>Sie können dieses Installationsprogramm schließen und erneut starten oder die Aktualisierung über die Weboberfläche Ihres Routers durchführen.</translation>
    </message>
    <message>
        <source>It cannot be updated automatically. Go to the following website and update the firmware manually.</source>
        <translation>Er kann nicht automatisch aktualisiert werden. Rufen Sie die folgende Website auf und aktualisieren Sie die Firmware von Hand.</translation>
    </message>
    <message>
        <source>The router did not accept the password. Type the router&apos;s current admin password to restore the settings:</source>
        <translation>Der Router hat das Passwort nicht angenommen. Geben Sie das aktuelle Administratorpasswort des Routers ein, um die Einstellungen wiederherzustellen:</translation>
    </message>
    <message>
        <source>Cannot log in to the router, so the settings from &quot;%1&quot; were not sent. Please check the wiring and the password, then click Restore Settings again.</source>
        <translation>Anmeldung am Router nicht möglich, daher wurden die Einstellungen aus &quot;%1&quot; nicht gesendet. Bitte prüfen Sie Kabelverbindung und Passwort und klicken Sie dann erneut auf Einstellungen wiederherstellen.</translation>
    </message>
    <message>
        <source>The router did not confirm that it took the settings from &quot;%1&quot;. The file is kept: check the wiring, then click Restore Settings again.</source>
        <translation>Der Router hat nicht bestätigt, dass er die Einstellungen aus &quot;%1&quot; übernommen hat. Die Datei bleibt erhalten: Prüfen Sie die Kabelverbindung und klicken Sie dann erneut auf Einstellungen wiederherstellen.</translation>
    </message>
    <message>
        <source>&quot;%1&quot; holds your router settings from before an upgrade that did not finish. Saving now would replace them with the router&apos;s current settings.

Replace the file anyway?</source>
        <translation>&quot;%1&quot; enthält Ihre Router-Einstellungen von vor einer Aktualisierung, die nicht abgeschlossen wurde. Wenn Sie jetzt sichern, werden sie durch die aktuellen Einstellungen des Routers ersetzt.

Datei trotzdem ersetzen?</translation>
    </message>
    <message>
        <source>An earlier upgrade did not finish. Your router settings from before it are saved in &quot;%1&quot;.

Open the Restore Settings page to put them back on the router?</source>
        <translation>Eine frühere Aktualisierung wurde nicht abgeschlossen. Ihre Router-Einstellungen von davor sind in &quot;%1&quot; gesichert.

Die Seite Einstellungen wiederherstellen öffnen, um sie auf den Router zurückzuspielen?</translation>
    </message>
    <message>
        <source>The settings backup could not be noted in the folder &quot;%1&quot;, so it could not be offered again after a failure. The router has not been changed. Make sure you can write to that folder, then try again.</source>
        <translation>Die Sicherung der Einstellungen konnte im Ordner &quot;%1&quot; nicht vermerkt werden und ließe sich nach einem Fehler nicht erneut anbieten. Der Router wurde nicht verändert. Stellen Sie sicher, dass Sie in diesen Ordner schreiben dürfen, und versuchen Sie es dann erneut.</translation>
    </message>
    <message>
        <source>This installer carries a placeholder image, not firmware for a router.</source>
        <translation>Dieses Installationsprogramm enthält ein Platzhalter-Abbild, keine Firmware für einen Router.</translation>
    </message>
    <message>
        <source>The firmware image is missing from this installer.</source>
        <translation>In diesem Installationsprogramm fehlt das Firmware-Abbild.</translation>
    </message>
    <message>
        <source>The firmware image in this installer is damaged.</source>
        <translation>Das Firmware-Abbild in diesem Installationsprogramm ist beschädigt.</translation>
    </message>
    <message>
        <source>The firmware file changed on disk before it was sent.</source>
        <translation>Die Firmware-Datei wurde auf dem Datenträger verändert, bevor sie gesendet wurde.</translation>
    </message>
    <message>
        <source>The router sent empty settings.</source>
        <translation>Der Router hat leere Einstellungen gesendet.</translation>
    </message>
    <message>
        <source>Cannot open file &quot;%1&quot;.</source>
        <translation>Die Datei &quot;%1&quot; kann nicht geöffnet werden.</translation>
    </message>
    <message>
        <source>Unknown error</source>
        <translation>Unbekannter Fehler</translation>
    </message>
    <message>
        <source>Not Connected</source>
        <translation>Nicht verbunden</translation>
    </message>
    <message>
        <source>Connection Closed Gracefully.</source>
        <translation>Die Gegenseite hat die Verbindung geschlossen.</translation>
    </message>
    <message>
        <source>Response body larger than %1 bytes.</source>
        <translation>Antwort größer als %1 Byte.</translation>
    </message>
    <message>
        <source>Response header larger than %1 bytes.</source>
        <translation>Antwortkopf größer als %1 Byte.</translation>
    </message>
    <message>
        <source>Socket Error # %1</source>
        <translation>Socket-Fehler Nr. %1</translation>
    </message>
    <message>
        <source>Connection refused.</source>
        <translation>Verbindung abgelehnt.</translation>
    </message>
    <message>
        <source>Connection timed out.</source>
        <translation>Zeitüberschreitung der Verbindung.</translation>
    </message>
    <message>
        <source>Connection reset by peer.</source>
        <translation>Verbindung von der Gegenseite zurückgesetzt.</translation>
    </message>
    <message>
        <source>Network is down.</source>
        <translation>Das Netzwerk ist nicht verfügbar.</translation>
    </message>
    <message>
        <source>Network is unreachable.</source>
        <translation>Das Netzwerk ist nicht erreichbar.</translation>
    </message>
    <message>
        <source>No route to host.</source>
        <translation>Keine Route zum Host.</translation>
    </message>
    <message>
        <source>Host is down.</source>
        <translation>Der Host ist nicht verfügbar.</translation>
    </message>
    <message>
        <source>Host not found.</source>
        <translation>Host nicht gefunden.</translation>
    </message>
    <message>
        <source>Software caused connection abort.</source>
        <translation>Verbindung durch Software abgebrochen.</translation>
    </message>
    <message>
        <source>Cannot assign requested address.</source>
        <translation>Die angeforderte Adresse kann nicht zugewiesen werden.</translation>
    </message>
    <message>
        <source>Cannot log in to the router. Please check the wiring and the password, then run the program again.</source>
        <translation>Anmeldung am Router nicht möglich. Bitte prüfen Sie Kabelverbindung und Passwort und starten Sie das Programm dann erneut.</translation>
    </message>
    <message>
        <source>No router found: this PC has no default gateway. Check the cable to the router, or name the router with --router.</source>
        <translation>Kein Router gefunden: Dieser PC hat kein Standard-Gateway. Prüfen Sie das Kabel zum Router, oder nennen Sie den Router mit --router.</translation>
    </message>
    <message>
        <source>Another run of this program is changing a router from this PC. Try again when it has finished.</source>
        <translation>Ein anderer Lauf dieses Programms ändert gerade einen Router von diesem PC aus. Versuchen Sie es erneut, wenn er fertig ist.</translation>
    </message>
    <message>
        <source>router not recorded</source>
        <translation>Router nicht vermerkt</translation>
    </message>
    <message>
        <source>router %1</source>
        <translation>Router %1</translation>
    </message>
    <message>
        <source>A settings backup from an earlier upgrade is pending: %1 (%2%3). Restore it with --restore %1.</source>
        <translation>Eine Sicherung der Einstellungen aus einer früheren Aktualisierung steht aus: %1 (%2%3). Stellen Sie sie mit --restore %1 wieder her.</translation>
    </message>
    <message>
        <source>A settings backup of this router from an earlier upgrade is still pending: %1. Restore it with --restore %1, or upgrade anyway with --new-backup.</source>
        <translation>Eine Sicherung der Einstellungen dieses Routers aus einer früheren Aktualisierung steht noch aus: %1. Stellen Sie sie mit --restore %1 wieder her, oder aktualisieren Sie trotzdem mit --new-backup.</translation>
    </message>
    <message>
        <source>Unknown error.</source>
        <translation>Unbekannter Fehler.</translation>
    </message>
    <message>
        <source>The run failed.</source>
        <translation>Der Lauf ist fehlgeschlagen.</translation>
    </message>
    <message>
        <source>Router firmware version: %1</source>
        <translation>Firmware-Version des Routers: %1</translation>
    </message>
    <message>
        <source>The router settings from &quot;%1&quot; are restored.</source>
        <translation>Die Router-Einstellungen aus &quot;%1&quot; sind wiederhergestellt.</translation>
    </message>
    <message>
        <source>Settings backup kept: %1</source>
        <translation>Sicherung der Einstellungen bleibt erhalten: %1</translation>
    </message>
    <message>
        <source>%1 refused: the router is being changed; the run goes on.</source>
        <translation>%1 abgelehnt: Der Router wird gerade geändert; der Lauf geht weiter.</translation>
    </message>
    <message>
        <source>%1: ending now; nothing on the router has changed.</source>
        <translation>%1: Das Programm endet jetzt; am Router hat sich nichts geändert.</translation>
    </message>
</context>
<context>
    <name>TfrmMain</name>
    <message>
        <source>The router is being upgraded. Closing now could leave it without its settings. Please wait until the upgrade has finished.</source>
        <translation>Der Router wird gerade aktualisiert. Wenn Sie jetzt schließen, könnte er ohne seine Einstellungen bleiben. Bitte warten Sie, bis die Aktualisierung abgeschlossen ist.</translation>
    </message>
    <message>
        <source>Another upgrade is running on this PC. Wait for it to finish, then try again.</source>
        <translation>Auf diesem PC läuft bereits eine andere Aktualisierung. Warten Sie, bis sie fertig ist, und versuchen Sie es dann erneut.</translation>
    </message>
    <message>
        <source>&amp;Save Settings</source>
        <translation>Einstellungen &amp;speichern</translation>
    </message>
    <message>
        <source>&amp;Restore Settings</source>
        <translation>Einstellungen &amp;wiederherstellen</translation>
    </message>
    <message>
        <source>&amp;Previous</source>
        <translation>&amp;Zurück</translation>
    </message>
    <message>
        <source>&amp;Next</source>
        <translation>&amp;Weiter</translation>
    </message>
    <message>
        <source>&amp;Cancel</source>
        <translation>&amp;Abbrechen</translation>
    </message>
    <message>
        <source>GWS File (*.gws)|*.gws|All Files (*.*)|*.*</source>
        <translation>GWS-Datei (*.gws)|*.gws|Alle Dateien (*.*)|*.*</translation>
    </message>
    <message>
        <source>Binary Files (*.bin)|*.bin|All Files (*.*)|*.*</source>
        <translation>Binärdateien (*.bin)|*.bin|Alle Dateien (*.*)|*.*</translation>
    </message>
    <message>
        <source>Admin Password :</source>
        <translation>Administratorpasswort:</translation>
    </message>
    <message>
        <source>Details of this run for support:
</source>
        <translation>Details dieses Laufs für den Support:
</translation>
    </message>
    <message>
        <source>&amp;Close</source>
        <translation>&amp;Schließen</translation>
    </message>
    <message>
        <source>Your router settings from before the upgrade are saved in &quot;%1&quot;. Click the button to put them back on the router:</source>
        <translation>Ihre Router-Einstellungen von vor der Aktualisierung sind in &quot;%1&quot; gesichert. Klicken Sie auf die Schaltfläche, um sie auf den Router zurückzuspielen:</translation>
    </message>
    <message>
        <source>Your router settings from before the upgrade are kept in &quot;%1&quot;. If your router has lost its settings, click the button to put them back:</source>
        <translation>Ihre Router-Einstellungen von vor der Aktualisierung bleiben in &quot;%1&quot; erhalten. Falls Ihr Router seine Einstellungen verloren hat, klicken Sie auf die Schaltfläche, um sie zurückzuspielen:</translation>
    </message>
    <message>
        <source>The firmware file has been saved.</source>
        <translation>Die Firmware-Datei wurde gespeichert.</translation>
    </message>
    <message>
        <source>The firmware file could not be saved.
</source>
        <translation>Die Firmware-Datei konnte nicht gespeichert werden.
</translation>
    </message>
    <message>
        <source>If this router requires a password. Please enter the password now.</source>
        <translation>Falls dieser Router ein Passwort verlangt, geben Sie es bitte jetzt ein.</translation>
    </message>
</context>
<context>
    <name>frmMain</name>
    <message>
        <source>Norvo Firmware Upgrade</source>
        <translation>Norvo Firmware-Aktualisierung</translation>
    </message>
    <message>
        <source>Router Model : </source>
        <translation>Router-Modell: </translation>
    </message>
    <message>
        <source>Firmware Upgrade : Version </source>
        <translation>Firmware-Aktualisierung: Version </translation>
    </message>
    <message>
        <source>Upgrade Type</source>
        <translation>Art der Aktualisierung</translation>
    </message>
    <message>
        <source>Admin Password :</source>
        <translation>Administratorpasswort:</translation>
    </message>
    <message>
        <source>To upgrade the firmware, your PC must have a wired connection to one of the LAN ports on the router.</source>
        <translation>Zum Aktualisieren der Firmware muss Ihr PC per Kabel mit einem der LAN-Anschlüsse des Routers verbunden sein.</translation>
    </message>
    <message>
        <source> Check this box if you have a wired connection to the router.</source>
        <translation> Aktivieren Sie dieses Kästchen, wenn Ihr PC per Kabel mit dem Router verbunden ist.</translation>
    </message>
    <message>
        <source>Click the Next button to continue.</source>
        <translation>Klicken Sie auf Weiter, um fortzufahren.</translation>
    </message>
    <message>
        <source>Status</source>
        <translation>Status</translation>
    </message>
    <message>
        <source>Status...</source>
        <translation>Status...</translation>
    </message>
    <message>
        <source>Please wait while your Norvo router is being upgraded.  It may take several minutes to upgrade the device firmware and restore the original router settings.</source>
        <translation>Bitte warten Sie, während Ihr Norvo-Router aktualisiert wird.  Das Aktualisieren der Firmware und das Wiederherstellen der ursprünglichen Router-Einstellungen kann einige Minuten dauern.</translation>
    </message>
    <message>
        <source>Configuration</source>
        <translation>Konfiguration</translation>
    </message>
    <message>
        <source>Router IP Address (Default Gateway) :</source>
        <translation>IP-Adresse des Routers (Standard-Gateway):</translation>
    </message>
    <message>
        <source>Port :</source>
        <translation>Port:</translation>
    </message>
    <message>
        <source>Username :</source>
        <translation>Benutzername:</translation>
    </message>
    <message>
        <source>Password :</source>
        <translation>Passwort:</translation>
    </message>
    <message>
        <source>Current Firmware Version :</source>
        <translation>Aktuelle Firmware-Version:</translation>
    </message>
    <message>
        <source>NOTE: Check firmware version to continue</source>
        <translation>HINWEIS: Prüfen Sie die Firmware-Version, um fortzufahren</translation>
    </message>
    <message>
        <source>Check Firmware Version</source>
        <translation>Firmware-Version prüfen</translation>
    </message>
    <message>
        <source>Save Settings</source>
        <translation>Einstellungen speichern</translation>
    </message>
    <message>
        <source>You may use this form to save your current router settings before the firmware upgrade.</source>
        <translation>Hier können Sie die aktuellen Einstellungen Ihres Routers vor der Firmware-Aktualisierung sichern.</translation>
    </message>
    <message>
        <source>Router Settings File :</source>
        <translation>Datei mit Router-Einstellungen:</translation>
    </message>
    <message>
        <source>&amp;Save Settings</source>
        <translation>Einstellungen &amp;speichern</translation>
    </message>
    <message>
        <source>NOTE: Clicking the Next button will begin the firmware upgrade of your router.</source>
        <translation>HINWEIS: Mit einem Klick auf Weiter beginnt die Firmware-Aktualisierung Ihres Routers.</translation>
    </message>
    <message>
        <source>Please close all other applications to ensure data is not lost while the firmware upgrade application runs.</source>
        <translation>Bitte schließen Sie alle anderen Anwendungen, damit während der Firmware-Aktualisierung keine Daten verloren gehen.</translation>
    </message>
    <message>
        <source>Output</source>
        <translation>Ausgabe</translation>
    </message>
    <message>
        <source>Restore Settings</source>
        <translation>Einstellungen wiederherstellen</translation>
    </message>
    <message>
        <source>You may use this form to restore a router settings file you may have previously saved.</source>
        <translation>Hier können Sie eine früher gesicherte Datei mit Router-Einstellungen wiederherstellen.</translation>
    </message>
    <message>
        <source>&amp;Restore Settings</source>
        <translation>Einstellungen &amp;wiederherstellen</translation>
    </message>
    <message>
        <source>Outcome</source>
        <translation>Ergebnis</translation>
    </message>
    <message>
        <source>Your router settings are saved in the file named here.</source>
        <translation>Ihre Router-Einstellungen sind in der hier genannten Datei gesichert.</translation>
    </message>
    <message>
        <source>Details of this run for support:</source>
        <translation>Details dieses Laufs für den Support:</translation>
    </message>
    <message>
        <source>Click the button to save the firmware file to your computer:</source>
        <translation>Klicken Sie auf die Schaltfläche, um die Firmware-Datei auf Ihrem Computer zu speichern:</translation>
    </message>
    <message>
        <source>Save Firmware</source>
        <translation>Firmware speichern</translation>
    </message>
    <message>
        <source>Show Tabs</source>
        <translation>Reiter anzeigen</translation>
    </message>
    <message>
        <source>Test</source>
        <translation>Test</translation>
    </message>
    <message>
        <source>&amp;Previous</source>
        <translation>&amp;Zurück</translation>
    </message>
    <message>
        <source>&amp;Next</source>
        <translation>&amp;Weiter</translation>
    </message>
    <message>
        <source>&amp;Cancel</source>
        <translation>&amp;Abbrechen</translation>
    </message>
</context>
</TS>
