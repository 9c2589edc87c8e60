<?xml version="1.0" encoding="utf-8"?>
<!DOCTYPE TS>
<TS version="2.1" language="en" sourcelanguage="de">
<context>
    <name>vks::KapitalVerlauf</name>
    <message>
        <source>Kapitalverlauf</source>
        <translation>Capital history</translation>
    </message>
    <message>
        <source>Zeit</source>
        <translation>Time</translation>
    </message>
    <message>
        <source>Betrag</source>
        <translation>Amount</translation>
    </message>
    <message>
        <source>Gesamtkapital</source>
        <translation>Total capital</translation>
    </message>
    <message>
        <source>Cash</source>
        <translation>Cash</translation>
    </message>
</context>
<context>
    <name>vks::KontenListeModell</name>
    <message>
        <source>Name</source>
        <translation>Name</translation>
    </message>
    <message>
        <source>Datum</source>
        <translation>Date</translation>
    </message>
    <message>
        <source>Gesamtwert</source>
        <translation>Total value</translation>
    </message>
    <message>
        <source>Enter-Orders</source>
        <translation>Entry orders</translation>
    </message>
    <message>
        <source>Positionen</source>
        <translation>Positions</translation>
    </message>
</context>
<context>
    <name>vks::UebersichtModell</name>
    <message>
        <source>ID</source>
        <translation>ID</translation>
    </message>
    <message>
        <source>Titel</source>
        <translation>Security</translation>
    </message>
    <message>
        <source>WKN</source>
        <translation>Security ID</translation>
    </message>
    <message>
        <source>Aktion</source>
        <translation>Action</translation>
    </message>
    <message>
        <source>Stückzahl</source>
        <translation>Quantity</translation>
    </message>
    <message>
        <source>Filled</source>
        <translation>Filled</translation>
    </message>
    <message>
        <source>Position</source>
        <translation>Position</translation>
    </message>
    <message>
        <source>Einstiegspreis</source>
        <translation>Entry price</translation>
    </message>
    <message>
        <source>Datum</source>
        <translation>Date</translation>
    </message>
    <message>
        <source>Kurs</source>
        <translation>Price</translation>
    </message>
</context>
<context>
    <name>vks::frmHauptfenster</name>
    <message>
        <source>Neues Konto</source>
        <translation>New Account</translation>
    </message>
    <message>
        <source>Konto duplizieren</source>
        <translation>Duplicate Account</translation>
    </message>
    <message>
        <source>Konto bearbeiten</source>
        <translation>Edit Account</translation>
    </message>
    <message>
        <source>Konto einstellen</source>
        <translation>Account settings</translation>
    </message>
    <message>
        <source>Konto löschen</source>
        <translation>Delete Account</translation>
    </message>
    <message>
        <source>Konto anzeigen</source>
        <translation>Show Account</translation>
    </message>
    <message>
        <source>Konto Übersicht</source>
        <translation>Account Overview</translation>
    </message>
    <message>
        <source>Speicherordner einstellen</source>
        <translation>Set Storage Folder</translation>
    </message>
    <message>
        <source>Hilfe</source>
        <translation>Help</translation>
    </message>
    <message>
        <source>Tradomir Virtuelle Konten</source>
        <translation>Tradomir Virtual Accounts</translation>
    </message>
    <message>
        <source>Konten</source>
        <translation>Accounts</translation>
    </message>
    <message>
        <source>&amp;Konten</source>
        <translation>&amp;Accounts</translation>
    </message>
    <message>
        <source>Werkzeuge</source>
        <translation>Tools</translation>
    </message>
</context>
<context>
    <name>vks::frmKontoUebersicht</name>
    <message>
        <source>Konto</source>
        <translation>Account</translation>
    </message>
    <message>
        <source>Offene Orders</source>
        <translation>Open Orders</translation>
    </message>
    <message>
        <source>Positionen</source>
        <translation>Positions</translation>
    </message>
    <message>
        <source>Ausführungen</source>
        <translation>Fills</translation>
    </message>
    <message>
        <source>Konto Übersicht</source>
        <translation>Account Overview</translation>
    </message>
    <message>
        <source>Befehle</source>
        <translation>Commands</translation>
    </message>
    <message>
        <source>Markierte Einträge löschen</source>
        <translation>Delete Marked Entries</translation>
    </message>
    <message>
        <source>Alle Einträge löschen</source>
        <translation>Delete All Entries</translation>
    </message>
    <message>
        <source>Verlauf</source>
        <translation>History</translation>
    </message>
    <message>
        <source>Gesamt</source>
        <translation>Total</translation>
    </message>
    <message>
        <source>Long</source>
        <translation>Long</translation>
    </message>
    <message>
        <source>Short</source>
        <translation>Short</translation>
    </message>
    <message>
        <source>Enter-Orders</source>
        <translation>Entry orders</translation>
    </message>
    <message>
        <source>Enter-Margin</source>
        <translation>Entry margin</translation>
    </message>
    <message>
        <source>Cash</source>
        <translation>Cash</translation>
    </message>
    <message>
        <source>Margin</source>
        <translation>Margin</translation>
    </message>
    <message>
        <source>Open P/L</source>
        <translation>Open P/L</translation>
    </message>
    <message>
        <source>Verfügbar</source>
        <translation>Available</translation>
    </message>
</context>
<context>
    <name>vks::frmNeuesKonto</name>
    <message>
        <source>Neues Konto anlegen</source>
        <translation>Create New Account</translation>
    </message>
    <message>
        <source>Einstellungen</source>
        <translation>Settings</translation>
    </message>
    <message>
        <source>Skripts</source>
        <translation>Scripts</translation>
    </message>
    <message>
        <source>Reset</source>
        <translation>Reset</translation>
    </message>
    <message>
        <source>Gesamte Konto-Entwicklung löschen</source>
        <translation>Delete the account&apos;s whole history</translation>
    </message>
    <message>
        <source>Hilfe</source>
        <translation>Help</translation>
    </message>
    <message>
        <source>Abbrechen</source>
        <translation>Cancel</translation>
    </message>
    <message>
        <source>Schließt den Dialog und verwirft alle Angaben</source>
        <translation>Closes the dialog and discards all entries</translation>
    </message>
    <message>
        <source>OK</source>
        <translation>OK</translation>
    </message>
    <message>
        <source>Schließt den Dialog und speichert alle Einstellungen ab</source>
        <translation>Closes the dialog and saves all settings</translation>
    </message>
    <message>
        <source>Allgemein</source>
        <translation>General</translation>
    </message>
    <message>
        <source>&amp;Name</source>
        <translation>&amp;Name</translation>
    </message>
    <message>
        <source>&amp;Beschreibung</source>
        <translation>&amp;Description</translation>
    </message>
    <message>
        <source>&amp;Kontostand</source>
        <translation>&amp;Cash balance</translation>
    </message>
    <message>
        <source>Aktuelles Datum</source>
        <translation>Current date</translation>
    </message>
    <message>
        <source>Daten-Zeitstempel verwenden (für Simulationen)</source>
        <translation>Use the data&apos;s time stamps (for simulations)</translation>
    </message>
    <message>
        <source>Gebühren einrechnen</source>
        <translation>Include fees</translation>
    </message>
    <message>
        <source>Umrechnungskurse verwenden</source>
        <translation>Use exchange rates</translation>
    </message>
    <message>
        <source>Margin beim Kapitaltest ebenfalls umrechnen</source>
        <translation>Also convert the margin in the capital check</translation>
    </message>
    <message>
        <source>In Positionshistorie letzten Preis speichern</source>
        <translation>Store the last price in the position history</translation>
    </message>
    <message>
        <source>Wenn aktiv, wird in der Positionshistorie nicht der Durchschnitts-Kaufpreis, sondern der Preis des letzten Kauf/Verkaufs gespeichert</source>
        <translation>When ticked, the position history stores the price of the last purchase or sale instead of the average purchase price</translation>
    </message>
    <message>
        <source>Bearbeiten...</source>
        <translation>Edit...</translation>
    </message>
    <message>
        <source>Skript bearbeiten: %1</source>
        <translation>Edit script: %1</translation>
    </message>
    <message>
        <source>Keine Enter-Orders erlauben</source>
        <translation>Allow no entry orders</translation>
    </message>
    <message>
        <source>Hinweis-Text, wenn eine Order nicht platziert wird</source>
        <translation>Notice when an order is not placed</translation>
    </message>
    <message>
        <source>Bei folgender Bedingung</source>
        <translation>On the following condition</translation>
    </message>
    <message>
        <source>Alle Enter-Orders des Kontos streichen</source>
        <translation>Cancel all of the account&apos;s entry orders</translation>
    </message>
</context>
<context>
    <name>vks::frmRTTSpeicherordner</name>
    <message>
        <source>Ordner zum Speichern der RTT-Dateien</source>
        <translation>Folder for Storing the RTT Files</translation>
    </message>
    <message>
        <source>Ordner</source>
        <translation>Folder</translation>
    </message>
    <message>
        <source>Geben Sie hier an, in welchem Ordner die RTT-Dateien zur Aufzeichnung der Positionen und der Kontoberechnungen gespeichert werden sollen. Standardmäßig ist dies der Realtime-Ordner in der Tradomir-Installation. Klicken Sie zum Ändern des Ordners auf die Schaltfläche [...].</source>
        <translation>Enter the folder in which the RTT files recording the positions and the account calculations are to be stored. By default this is the Realtime folder of the Tradomir installation. To change the folder, click the [...] button.</translation>
    </message>
    <message>
        <source>Aktuell verwendeter Ordner:</source>
        <translation>Folder currently used:</translation>
    </message>
    <message>
        <source>Ordner auswählen</source>
        <translation>Choose folder</translation>
    </message>
    <message>
        <source>Wenn Sie die gespeicherten RTT-Daten in Tradomir verwenden möchten, müssen Sie die betreffenden Titel dort in das Titelverzeichnis einfügen. Sie finden die Titel dann in den betreffenden Unterordnern des hier angegebenen Ordners.</source>
        <translation>To use the stored RTT data in Tradomir, add the securities concerned to its securities directory there. You find them in the subfolders of the folder given here.</translation>
    </message>
    <message>
        <source>OK</source>
        <translation>OK</translation>
    </message>
    <message>
        <source>Schließt den Dialog und speichert alle Einstellungen ab</source>
        <translation>Closes the dialog and saves all settings</translation>
    </message>
    <message>
        <source>Bitte einen Ordner auswählen</source>
        <translation>Please choose a folder</translation>
    </message>
    <message>
        <source>Aktuell verwendeter Ordner: %1</source>
        <translation>Folder currently used: %1</translation>
    </message>
</context>
<context>
    <name>vks::frmVBScriptBearbeiten</name>
    <message>
        <source>Skript bearbeiten</source>
        <translation>Edit Script</translation>
    </message>
    <message>
        <source>Skript</source>
        <translation>Script</translation>
    </message>
    <message>
        <source>Speichern</source>
        <translation>Save</translation>
    </message>
    <message>
        <source>Speichern und Dialog schließen</source>
        <translation>Save and close the dialog</translation>
    </message>
    <message>
        <source>Beenden</source>
        <translation>Close</translation>
    </message>
    <message>
        <source>&amp;Testen</source>
        <translation>&amp;Test</translation>
    </message>
    <message>
        <source>A&amp;npassen</source>
        <translation>&amp;Customize</translation>
    </message>
    <message>
        <source>Suchen und Ersetzen</source>
        <translation>Find and Replace</translation>
    </message>
    <message>
        <source>Kontextmenü</source>
        <translation>Context Menu</translation>
    </message>
    <message>
        <source>Eingabe &amp;rückgängig</source>
        <translation>&amp;Undo Typing</translation>
    </message>
    <message>
        <source>Eingabe &amp;wiederholen</source>
        <translation>&amp;Redo Typing</translation>
    </message>
    <message>
        <source>&amp;Ausschneiden</source>
        <translation>Cu&amp;t</translation>
    </message>
    <message>
        <source>Kopieren</source>
        <translation>Copy</translation>
    </message>
    <message>
        <source>&amp;Einfügen</source>
        <translation>&amp;Paste</translation>
    </message>
    <message>
        <source>&amp;Löschen</source>
        <translation>&amp;Delete</translation>
    </message>
    <message>
        <source>Alles &amp;Markieren</source>
        <translation>Select &amp;All</translation>
    </message>
    <message>
        <source>&amp;Hilfe</source>
        <translation>&amp;Help</translation>
    </message>
    <message>
        <source>Kennzahlen</source>
        <translation>Metrics</translation>
    </message>
    <message>
        <source>Konto-Kennzahlen</source>
        <translation>Account metrics</translation>
    </message>
    <message>
        <source>Konten</source>
        <translation>Accounts</translation>
    </message>
    <message>
        <source>&amp;Datei</source>
        <translation>&amp;File</translation>
    </message>
    <message>
        <source>&amp;Bearbeiten</source>
        <translation>&amp;Edit</translation>
    </message>
    <message>
        <source>E&amp;infügen</source>
        <translation>&amp;Insert</translation>
    </message>
    <message>
        <source>&amp;Skript</source>
        <translation>&amp;Script</translation>
    </message>
    <message>
        <source>Schrift</source>
        <translation>Font</translation>
    </message>
    <message>
        <source>&amp;?</source>
        <translation>&amp;?</translation>
    </message>
    <message>
        <source>Rückgängig</source>
        <translation>Undo</translation>
    </message>
    <message>
        <source>Wiederholen</source>
        <translation>Redo</translation>
    </message>
    <message>
        <source>Werkzeuge</source>
        <translation>Tools</translation>
    </message>
    <message>
        <source>Schriftart wählen</source>
        <translation>Choose Font</translation>
    </message>
</context>
</TS>
