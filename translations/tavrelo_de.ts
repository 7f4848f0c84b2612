<?xml version="1.0" encoding="utf-8"?>
<!DOCTYPE TS>
<TS version="2.1" language="de" sourcelanguage="en">
<context>
    <name>AnalysisController</name>
    <message>
        <source>Analysing</source>
        <translation>Analyse</translation>
    </message>
    <message>
        <source>Analysis cancelled</source>
        <translation>Analyse abgebrochen</translation>
    </message>
    <message>
        <source>Analize done !</source>
        <translation>Analyse abgeschlossen!</translation>
    </message>
</context>
<context>
    <name>BatchController</name>
    <message>
        <source>Renaming</source>
        <translation>Umbenennung</translation>
    </message>
    <message>
        <source>Replacing</source>
        <translation>Ersetzen</translation>
    </message>
    <message>
        <source>Undoing</source>
        <translation>Rückgängig machen</translation>
    </message>
    <message>
        <source>Nothing was undone.</source>
        <translation>Nichts wurde rückgängig gemacht.</translation>
    </message>
    <message>
        <source>Recovering</source>
        <translation>Wiederherstellen</translation>
    </message>
    <message>
        <source>Information</source>
        <translation>Hinweis</translation>
    </message>
    <message>
        <source>Warning</source>
        <translation>Warnung</translation>
    </message>
    <message>
        <source>Critical</source>
        <translation>Kritischer Fehler</translation>
    </message>
    <message numerus="yes">
        <source>Cancelled: %1 of %Ln files renamed.</source>
        <translation>
            <numerusform>Abgebrochen: %1 von %Ln Datei umbenannt.</numerusform>
            <numerusform>Abgebrochen: %1 von %Ln Dateien umbenannt.</numerusform>
        </translation>
    </message>
    <message numerus="yes">
        <source>Replace done: %1 of %Ln files renamed.</source>
        <translation>
            <numerusform>Ersetzen beendet: %1 von %Ln Datei umbenannt.</numerusform>
            <numerusform>Ersetzen beendet: %1 von %Ln Dateien umbenannt.</numerusform>
        </translation>
    </message>
    <message numerus="yes">
        <source>Rename done: %1 of %Ln files renamed.</source>
        <translation>
            <numerusform>Umbenennen fertig: %1 von %Ln Datei umbenannt.</numerusform>
            <numerusform>Umbenennen fertig: %1 von %Ln Dateien umbenannt.</numerusform>
        </translation>
    </message>
    <message numerus="yes">
        <source>Undo done: %1 of %Ln files back under their old names.</source>
        <translation>
            <numerusform>Rückgängig gemacht: %1 von %Ln Datei trägt wieder ihren alten Namen.</numerusform>
            <numerusform>Rückgängig gemacht: %1 von %Ln Dateien tragen wieder ihren alten Namen.</numerusform>
        </translation>
    </message>
</context>
<context>
    <name>BatchExecutor</name>
    <message>
        <source>given twice</source>
        <translation>doppelt angegeben</translation>
    </message>
    <message>
        <source>&quot;%1&quot; is the new name of another file of this request too</source>
        <translation>„%1“ ist auch der neue Name einer anderen Datei dieses Auftrags</translation>
    </message>
    <message>
        <source>left under the temporary name &quot;%1&quot;: neither its old nor its new name could be given back</source>
        <translation>unter dem vorläufigen Namen „%1“ geblieben: weder der alte noch der neue Name ließ sich zurückgeben</translation>
    </message>
    <message>
        <source>it no longer exists</source>
        <translation>sie existiert nicht mehr</translation>
    </message>
    <message>
        <source>a file named &quot;%1&quot; already exists</source>
        <translation>eine Datei namens „%1“ existiert bereits</translation>
    </message>
    <message>
        <source>the file it replaced couldn&apos;t be deleted : it is kept as &quot;%1&quot;</source>
        <translation>die ersetzte Datei konnte nicht gelöscht werden: sie bleibt als „%1“ erhalten</translation>
    </message>
    <message>
        <source>&quot;%1&quot; couldn&apos;t be set aside : %2</source>
        <translation>„%1“ konnte nicht beiseitegelegt werden: %2</translation>
    </message>
    <message>
        <source>%1. The existing &quot;%2&quot; was left as it was.</source>
        <translation>%1. Die vorhandene Datei „%2“ blieb unverändert.</translation>
    </message>
    <message>
        <source>%1. The existing &quot;%2&quot; couldn&apos;t be put back : it is kept as &quot;%3&quot;.</source>
        <translation>%1. Die vorhandene Datei „%2“ konnte nicht zurückgelegt werden: sie bleibt als „%3“ erhalten.</translation>
    </message>
    <message>
        <source>no free temporary name was found</source>
        <translation>es fand sich kein freier vorläufiger Name</translation>
    </message>
    <message>
        <source>it waited for &quot;%1&quot; to give up its name, which failed</source>
        <translation>sie wartete darauf, dass „%1“ seinen Namen freigibt, was misslang</translation>
    </message>
    <message>
        <source>a file named &quot;%1&quot; already exists and could not be moved to the trash (%2)</source>
        <translation>eine Datei namens „%1“ existiert bereits und konnte nicht in den Papierkorb verschoben werden (%2)</translation>
    </message>
    <message>
        <source>%1. The existing &quot;%2&quot; couldn&apos;t be put back : it is in the trash.</source>
        <translation>%1. Die vorhandene Datei „%2“ konnte nicht zurückgelegt werden: sie liegt im Papierkorb.</translation>
    </message>
</context>
<context>
    <name>BatchNotes</name>
    <message>
        <source>stays: its suffix is not selected</source>
        <translation>bleibt: ihre Endung ist nicht ausgewählt</translation>
    </message>
    <message>
        <source>stays: nothing to replace in its name</source>
        <translation>bleibt: in ihrem Namen ist nichts zu ersetzen</translation>
    </message>
    <message>
        <source>stays: &quot;%1&quot; is given the same new name</source>
        <translation>bleibt: „%1“ erhält denselben neuen Namen</translation>
    </message>
    <message>
        <source>stays: another file gets the same new name</source>
        <translation>bleibt: eine andere Datei erhält denselben neuen Namen</translation>
    </message>
    <message>
        <source>stays: &quot;%1&quot; is taken by a file that keeps its name</source>
        <translation>bleibt: „%1“ gehört einer Datei, die ihren Namen behält</translation>
    </message>
    <message>
        <source>stays: &quot;%1&quot; is taken by a file outside the request</source>
        <translation>bleibt: „%1“ gehört einer Datei außerhalb des Auftrags</translation>
    </message>
    <message>
        <source>replaces the file of that name, which goes to the trash</source>
        <translation>ersetzt die Datei dieses Namens, die in den Papierkorb wandert</translation>
    </message>
    <message>
        <source>replaces the file of that name, which is deleted for good (this volume has no trash)</source>
        <translation>ersetzt die Datei dieses Namens, die endgültig gelöscht wird (dieser Datenträger hat keinen Papierkorb)</translation>
    </message>
    <message>
        <source>%1 (to &quot;%2&quot;): %3</source>
        <translation>%1 (zu „%2“): %3</translation>
    </message>
    <message>
        <source>&quot;%1&quot; couldn&apos;t be renamed because &quot;%2&quot; already exists !</source>
        <translation>„%1“ konnte nicht umbenannt werden, weil „%2“ bereits existiert!</translation>
    </message>
    <message>
        <source>&quot;%1&quot; was renamed to &quot;%2&quot;, but %3.</source>
        <translation>„%1“ wurde in „%2“ umbenannt, aber %3.</translation>
    </message>
    <message>
        <source>&quot;%1&quot; couldn&apos;t be renamed to &quot;%2&quot; : %3</source>
        <translation>„%1“ konnte nicht in „%2“ umbenannt werden: %3</translation>
    </message>
</context>
<context>
    <name>BatchRun</name>
    <message>
        <source>Nothing was renamed: the batch could not be written to the journal (%1).</source>
        <translation>Nichts wurde umbenannt: der Auftrag konnte nicht ins Protokoll geschrieben werden (%1).</translation>
    </message>
    <message>
        <source>the file it replaced stays in the trash (%1)</source>
        <translation>die ersetzte Datei bleibt im Papierkorb (%1)</translation>
    </message>
    <message>
        <source>The end of the batch could not be written to the journal (%1).</source>
        <translation>Das Ende des Auftrags konnte nicht ins Protokoll geschrieben werden (%1).</translation>
    </message>
</context>
<context>
    <name>BatchWorker</name>
    <message>
        <source>and %1 more.</source>
        <translation>und %1 weitere.</translation>
    </message>
    <message numerus="yes">
        <source>%Ln files could not be renamed:</source>
        <translation>
            <numerusform>%Ln Datei konnte nicht umbenannt werden:</numerusform>
            <numerusform>%Ln Dateien konnten nicht umbenannt werden:</numerusform>
        </translation>
    </message>
</context>
<context>
    <name>Extensions</name>
    <message>
        <source>Dialog</source>
        <translation>Dialog</translation>
    </message>
</context>
<context>
    <name>History</name>
    <message>
        <source>Rename</source>
        <translation>Umbenennen</translation>
    </message>
    <message>
        <source>Replace</source>
        <translation>Ersetzen</translation>
    </message>
    <message>
        <source>Rules</source>
        <translation>Regeln</translation>
    </message>
    <message>
        <source>Undo of the batch of %1</source>
        <translation>Rückgängig: Auftrag vom %1</translation>
    </message>
    <message>
        <source>Recovery of the batch of %1</source>
        <translation>Wiederherstellung des Auftrags vom %1</translation>
    </message>
    <message>
        <source>undone</source>
        <translation>rückgängig gemacht</translation>
    </message>
    <message>
        <source>cut off</source>
        <translation>unterbrochen</translation>
    </message>
    <message>
        <source>cancelled</source>
        <translation>abgebrochen</translation>
    </message>
    <message>
        <source>done</source>
        <translation>erledigt</translation>
    </message>
    <message>
        <source>%1 of %2</source>
        <translation>%1 von %2</translation>
    </message>
    <message>
        <source>Batch %1</source>
        <translation>Auftrag %1</translation>
    </message>
    <message>
        <source>Undo</source>
        <translation>Rückgängig</translation>
    </message>
    <message>
        <source>History</source>
        <translation>Verlauf</translation>
    </message>
    <message>
        <source>When</source>
        <translation>Wann</translation>
    </message>
    <message>
        <source>What</source>
        <translation>Was</translation>
    </message>
    <message>
        <source>Folders</source>
        <translation>Ordner</translation>
    </message>
    <message>
        <source>Files</source>
        <translation>Dateien</translation>
    </message>
    <message>
        <source>State</source>
        <translation>Status</translation>
    </message>
    <message numerus="yes">
        <source>%Ln folders in all</source>
        <translation>
            <numerusform>%Ln Ordner insgesamt</numerusform>
            <numerusform>%Ln Ordner insgesamt</numerusform>
        </translation>
    </message>
    <message>
        <source>%1: %2</source>
        <extracomment>A batch&apos;s kind, then what its rules did.</extracomment>
        <translation>%1: %2</translation>
    </message>
</context>
<context>
    <name>InputChooser</name>
    <message>
        <source>Add files</source>
        <translation>Dateien hinzufügen</translation>
    </message>
    <message>
        <source>Add folder</source>
        <translation>Ordner hinzufügen</translation>
    </message>
</context>
<context>
    <name>Journal</name>
    <message>
        <source>The journal file &quot;%1&quot; was skipped: %2</source>
        <translation>Die Protokolldatei „%1“ wurde übergangen: %2</translation>
    </message>
    <message>
        <source>The journal folder &quot;%1&quot; cannot be created.</source>
        <translation>Der Protokollordner „%1“ kann nicht angelegt werden.</translation>
    </message>
    <message>
        <source>The journal cannot be locked.</source>
        <translation>Das Protokoll kann nicht gesperrt werden.</translation>
    </message>
    <message>
        <source>Renaming was cut off before its end. Every file of the interrupted batch now bears its old or its new name, and the batch can be undone.</source>
        <translation>Das Umbenennen wurde vor seinem Ende abgebrochen. Jede Datei des unterbrochenen Auftrags trägt jetzt ihren alten oder ihren neuen Namen, und der Auftrag kann rückgängig gemacht werden.</translation>
    </message>
    <message>
        <source>Files given their name back: %1.</source>
        <translation>Dateien, die ihren Namen zurückerhielten: %1.</translation>
    </message>
    <message>
        <source>Left as they are:</source>
        <translation>Unverändert gelassen:</translation>
    </message>
    <message>
        <source>it is no longer there</source>
        <translation>sie ist nicht mehr da</translation>
    </message>
    <message>
        <source>no space left on the disk that holds the journal</source>
        <translation>kein Platz mehr auf dem Datenträger des Protokolls</translation>
    </message>
    <message>
        <source>its entry in the journal cannot be used</source>
        <translation>ihr Eintrag im Protokoll ist nicht verwendbar</translation>
    </message>
</context>
<context>
    <name>JournalRecord</name>
    <message>
        <source>not a batch record of this program</source>
        <translation>kein Auftragsprotokoll dieses Programms</translation>
    </message>
    <message>
        <source>a folder of the record is not a clean absolute path</source>
        <translation>ein Ordner des Protokolls ist kein sauberer absoluter Pfad</translation>
    </message>
    <message>
        <source>its end record cannot be read</source>
        <translation>sein Abschlussvermerk ist nicht lesbar</translation>
    </message>
</context>
<context>
    <name>MainWindow</name>
    <message>
        <source>MainWindow</source>
        <translation>Hauptfenster</translation>
    </message>
    <message>
        <source>Output format :</source>
        <translation>Ausgabeformat:</translation>
    </message>
    <message>
        <source>String that will be used for renaming files...</source>
        <translation>Text, mit dem die Dateien umbenannt werden...</translation>
    </message>
    <message>
        <source>~</source>
        <translation>~</translation>
    </message>
    <message>
        <source>~000.txt</source>
        <translation>~000.txt</translation>
    </message>
    <message>
        <source>Rename files :</source>
        <translation>Dateien umbenennen:</translation>
    </message>
    <message>
        <source>Rename all files...</source>
        <translation>Alle Dateien umbenennen...</translation>
    </message>
    <message>
        <source>Rename selected files by extensions...</source>
        <translation>Nur Dateien mit den ausgewählten Dateiendungen umbenennen...</translation>
    </message>
    <message>
        <source>Rename group :</source>
        <translation>Gruppierung:</translation>
    </message>
    <message>
        <source>Files informations :</source>
        <translation>Dateiinformationen:</translation>
    </message>
    <message>
        <source>Number of files :</source>
        <translation>Anzahl der Dateien:</translation>
    </message>
    <message>
        <source>Number of suffix :</source>
        <translation>Anzahl der Dateiendungen:</translation>
    </message>
    <message>
        <source>Rename by (only for directories) :</source>
        <translation>Umbenennen nach (nur für Ordner):</translation>
    </message>
    <message>
        <source>Replace :</source>
        <translation>Ersetzen:</translation>
    </message>
    <message>
        <source>By :</source>
        <translation>Durch:</translation>
    </message>
    <message>
        <source>An update is available. You can download it using Options &gt; Check for update.</source>
        <translation>Eine Aktualisierung ist verfügbar. Sie können sie über Optionen &gt; Nach Aktualisierungen suchen herunterladen.</translation>
    </message>
    <message>
        <source>Parameters</source>
        <translation>Parameter</translation>
    </message>
    <message>
        <source> done !</source>
        <extracomment>Follows a status word such as &quot;Renaming&quot; in the status bar.</extracomment>
        <translation> abgeschlossen!</translation>
    </message>
    <message>
        <source> - RegExp Documentation</source>
        <translation> - RegExp-Dokumentation</translation>
    </message>
    <message>
        <source> - Choose extensions</source>
        <translation> - Dateiendungen auswählen</translation>
    </message>
    <message>
        <source> - Update</source>
        <translation> - Aktualisierung</translation>
    </message>
    <message>
        <source>Warning</source>
        <translation>Warnung</translation>
    </message>
    <message>
        <source>You have selected a non user directory.

Beware that renamed files system will results to a non working system.

Make sur that you only manipulate your own known directory...</source>
        <translation>Sie haben einen Ordner außerhalb Ihres Benutzerordners gewählt.

Wer Systemdateien umbenennt, riskiert ein System, das nicht mehr funktioniert.

Bearbeiten Sie nur Ihre eigenen, bekannten Ordner...</translation>
    </message>
    <message>
        <source>Warning : Please choose a directory/file first...</source>
        <translation>Warnung: Bitte wählen Sie zuerst einen Ordner oder eine Datei...</translation>
    </message>
    <message>
        <source>&amp;Input</source>
        <translation>&amp;Eingabe</translation>
    </message>
    <message>
        <source>&amp;Scan recursive </source>
        <translation>&amp;Rekursiv durchsuchen </translation>
    </message>
    <message>
        <source>&amp;Alternate row color</source>
        <translation>Zeilen abwechselnd &amp;färben</translation>
    </message>
    <message>
        <source>Reset &amp;list</source>
        <translation>&amp;Liste zurücksetzen</translation>
    </message>
    <message>
        <source>Re&amp;name</source>
        <translation>&amp;Umbenennen</translation>
    </message>
    <message>
        <source>Na&amp;me (~000)</source>
        <translation>Neuer Na&amp;me (~000)</translation>
    </message>
    <message>
        <source>&amp;Append (~000_filename)</source>
        <translation>&amp;Voranstellen (~000_Dateiname)</translation>
    </message>
    <message>
        <source>Prepen&amp;d (filename_~000)</source>
        <translation>An&amp;hängen (Dateiname_~000)</translation>
    </message>
    <message>
        <source>Re&amp;verse format with number</source>
        <translation>Text und Nummer ver&amp;tauschen</translation>
    </message>
    <message>
        <source>Rename all files &amp;together</source>
        <translation>Alle Dateien &amp;gemeinsam umbenennen</translation>
    </message>
    <message>
        <source>Rename files &amp;by </source>
        <translation>Dateien umbenennen n&amp;ach </translation>
    </message>
    <message>
        <source>e&amp;xtensions</source>
        <translation>Date&amp;iendungen</translation>
    </message>
    <message>
        <source>Rename files non re&amp;garding suffixes</source>
        <translation>Dateien ohne &amp;Rücksicht auf die Endung umbenennen</translation>
    </message>
    <message>
        <source>Rename files by suffixes individuall&amp;y</source>
        <translation>Dateien &amp;je Endung getrennt umbenennen</translation>
    </message>
    <message>
        <source>Rever&amp;se order</source>
        <translation>Umgekehrte Reihen&amp;folge</translation>
    </message>
    <message>
        <source>&amp;Rename</source>
        <translation>Umbe&amp;nennen</translation>
    </message>
    <message>
        <source>Re&amp;place</source>
        <translation>Erset&amp;zen</translation>
    </message>
    <message>
        <source>&amp;RegExp </source>
        <translation>&amp;RegExp </translation>
    </message>
    <message>
        <source>&amp;Documentation</source>
        <translation>Do&amp;kumentation</translation>
    </message>
    <message>
        <source>&amp;Suffix </source>
        <translation>&amp;Suffix </translation>
    </message>
    <message>
        <source>Delete if e&amp;xists </source>
        <translation>Vorhandene &amp;löschen </translation>
    </message>
    <message>
        <source>Refresh list vie&amp;w </source>
        <translation>Liste &amp;aktualisieren </translation>
    </message>
    <message>
        <source>Repl&amp;ace</source>
        <translation>Erse&amp;tzen</translation>
    </message>
    <message>
        <source>&amp;File</source>
        <translation>&amp;Datei</translation>
    </message>
    <message>
        <source>&amp;Options</source>
        <translation>&amp;Optionen</translation>
    </message>
    <message>
        <source>Add &amp;files…</source>
        <translation>Dateien &amp;hinzufügen…</translation>
    </message>
    <message>
        <source>Add f&amp;older…</source>
        <translation>&amp;Ordner hinzufügen…</translation>
    </message>
    <message>
        <source>&amp;Quit</source>
        <translation>&amp;Beenden</translation>
    </message>
    <message>
        <source>Check for &amp;updates</source>
        <translation>Nach &amp;Aktualisierungen suchen</translation>
    </message>
    <message>
        <source>Drop files and folders here, or use File → Add folder…</source>
        <translation>Dateien und Ordner hierher ziehen oder Datei → Ordner hinzufügen… wählen</translation>
    </message>
    <message>
        <source>Shows every new name before anything is renamed</source>
        <translation>Zeigt jeden neuen Namen, bevor etwas umbenannt wird</translation>
    </message>
    <message>
        <source>Previe&amp;w…</source>
        <translation>Vor&amp;schau…</translation>
    </message>
    <message>
        <source>Pre&amp;view…</source>
        <translation>Vorsc&amp;hau…</translation>
    </message>
    <message>
        <source>&amp;Edit</source>
        <translation>&amp;Bearbeiten</translation>
    </message>
    <message>
        <source>Undo</source>
        <translation>Rückgängig</translation>
    </message>
    <message>
        <source>Lists the files of every folder beneath a dropped folder too</source>
        <translation>Listet auch die Dateien aller Ordner unterhalb eines abgelegten Ordners</translation>
    </message>
    <message>
        <source>R&amp;ules</source>
        <translation>Re&amp;geln</translation>
    </message>
    <message>
        <source>Choosing a preset puts its rules in place of these</source>
        <translation>Eine gewählte Vorlage ersetzt diese Regeln</translation>
    </message>
    <message>
        <source>Presets</source>
        <translation>Vorlagen</translation>
    </message>
    <message>
        <source>Sa&amp;ve preset…</source>
        <translation>Vorlage &amp;speichern…</translation>
    </message>
    <message>
        <source>De&amp;lete preset</source>
        <translation>Vorlage &amp;löschen</translation>
    </message>
    <message>
        <source>The rules, applied from top to bottom; untick one to leave it out</source>
        <translation>Die Regeln, von oben nach unten angewandt; ohne Haken bleibt eine außen vor</translation>
    </message>
    <message>
        <source>&amp;Add rule</source>
        <translation>Regel &amp;hinzufügen</translation>
    </message>
    <message>
        <source>Re&amp;move</source>
        <translation>&amp;Entfernen</translation>
    </message>
    <message>
        <source>Move the rule up</source>
        <translation>Regel nach oben</translation>
    </message>
    <message>
        <source>Move the rule down</source>
        <translation>Regel nach unten</translation>
    </message>
    <message>
        <source>Or&amp;der:</source>
        <translation>Rei&amp;henfolge:</translation>
    </message>
    <message>
        <source>The order in which the files of a folder are counted; natural order puts img2 before img10</source>
        <translation>Die Reihenfolge, in der die Dateien eines Ordners gezählt werden; natürlich setzt img2 vor img10</translation>
    </message>
    <message>
        <source>Stops reading the files&apos; dates and tags; what was read is kept</source>
        <translation>Hört auf, Daten und Tags der Dateien zu lesen; was gelesen ist, bleibt erhalten</translation>
    </message>
    <message>
        <source>Stop</source>
        <translation>Anhalten</translation>
    </message>
    <message>
        <source>&amp;History…</source>
        <translation>&amp;Verlauf…</translation>
    </message>
    <message>
        <source>&amp;Help</source>
        <translation>&amp;Hilfe</translation>
    </message>
    <message>
        <source>&amp;Regular expressions</source>
        <translation>&amp;Reguläre Ausdrücke</translation>
    </message>
    <message>
        <source>&amp;About Tavrelo</source>
        <translation>Ü&amp;ber Tavrelo</translation>
    </message>
    <message>
        <source>About &amp;Qt</source>
        <translation>Über &amp;Qt</translation>
    </message>
    <message>
        <source>About Tavrelo</source>
        <translation>Über Tavrelo</translation>
    </message>
    <message>
        <source>&lt;h3&gt;Tavrelo %1&lt;/h3&gt;&lt;p&gt;Renames files in batches, and takes back any batch it made.&lt;/p&gt;&lt;p&gt;Free software under the GNU General Public License, version 3 or later.&lt;/p&gt;&lt;p&gt;Its journal of batches is kept in %2&lt;/p&gt;</source>
        <translation>&lt;h3&gt;Tavrelo %1&lt;/h3&gt;&lt;p&gt;Benennt Dateien in Aufträgen um und nimmt jeden seiner Aufträge wieder zurück.&lt;/p&gt;&lt;p&gt;Freie Software unter der GNU General Public License, Version 3 oder später.&lt;/p&gt;&lt;p&gt;Sein Protokoll der Aufträge liegt in %2&lt;/p&gt;</translation>
    </message>
</context>
<context>
    <name>PlanReview</name>
    <message>
        <source> - Preview</source>
        <translation> - Vorschau</translation>
    </message>
    <message>
        <source>Confirmation</source>
        <translation>Bestätigung</translation>
    </message>
    <message>
        <source>Yes</source>
        <translation>Ja</translation>
    </message>
    <message>
        <source>No</source>
        <translation>Nein</translation>
    </message>
    <message numerus="yes">
        <source>%Ln files will be renamed.</source>
        <translation>
            <numerusform>%Ln Datei wird umbenannt.</numerusform>
            <numerusform>%Ln Dateien werden umbenannt.</numerusform>
        </translation>
    </message>
    <message numerus="yes">
        <source>%Ln files in the way will be deleted for good: their volume has no trash.

Continue ?</source>
        <translation>
            <numerusform>%Ln Datei im Weg wird endgültig gelöscht: ihr Datenträger hat keinen Papierkorb.

Fortfahren?</numerusform>
            <numerusform>%Ln Dateien im Weg werden endgültig gelöscht: ihr Datenträger hat keinen Papierkorb.

Fortfahren?</numerusform>
        </translation>
    </message>
</context>
<context>
    <name>Presets</name>
    <message>
        <source>there is no preset &quot;%1&quot;</source>
        <translation>es gibt keine Vorlage „%1“</translation>
    </message>
    <message>
        <source>the preset &quot;%1&quot; cannot be read: %2</source>
        <translation>die Vorlage „%1“ kann nicht gelesen werden: %2</translation>
    </message>
    <message>
        <source>the preset &quot;%1&quot; is not a rule stack: %2</source>
        <translation>die Vorlage „%1“ ist keine Regelfolge: %2</translation>
    </message>
    <message>
        <source>&quot;%1&quot; cannot be the name of a preset</source>
        <translation>„%1“ kann nicht der Name einer Vorlage sein</translation>
    </message>
    <message>
        <source>the folder %1 cannot be made</source>
        <translation>der Ordner %1 kann nicht angelegt werden</translation>
    </message>
    <message>
        <source>the preset &quot;%1&quot; cannot be saved: %2</source>
        <translation>die Vorlage „%1“ kann nicht gespeichert werden: %2</translation>
    </message>
    <message>
        <source>the preset &quot;%1&quot; cannot be deleted: %2</source>
        <translation>die Vorlage „%1“ kann nicht gelöscht werden: %2</translation>
    </message>
</context>
<context>
    <name>Preview</name>
    <message>
        <source>Looking at the files…</source>
        <translation>Die Dateien werden durchgesehen…</translation>
    </message>
    <message>
        <source>Rename</source>
        <translation>Umbenennen</translation>
    </message>
    <message>
        <source>Files to rename: %1. Files that keep their name: %2.</source>
        <translation>Umzubenennende Dateien: %1. Dateien, die ihren Namen behalten: %2.</translation>
    </message>
    <message>
        <source>Files were renamed since: preview again to rename from here.</source>
        <translation>Seitdem wurden Dateien umbenannt: für eine Umbenennung von hier erneut die Vorschau öffnen.</translation>
    </message>
</context>
<context>
    <name>PreviewModel</name>
    <message>
        <source>Folder</source>
        <translation>Ordner</translation>
    </message>
    <message>
        <source>Old name</source>
        <translation>Alter Name</translation>
    </message>
    <message>
        <source>New name</source>
        <translation>Neuer Name</translation>
    </message>
    <message>
        <source>Note</source>
        <translation>Hinweis</translation>
    </message>
</context>
<context>
    <name>ProgressStrip</name>
    <message>
        <source>&amp;Cancel</source>
        <translation>&amp;Abbrechen</translation>
    </message>
    <message>
        <source>%1 of %2</source>
        <translation>%1 von %2</translation>
    </message>
</context>
<context>
    <name>RecoveryPlan</name>
    <message>
        <source>%1: neither its old nor its new name is free</source>
        <translation>%1: weder der alte noch der neue Name ist frei</translation>
    </message>
    <message>
        <source>%1: its name &quot;%2&quot; is taken</source>
        <translation>%1: sein Name „%2“ ist vergeben</translation>
    </message>
    <message>
        <source>%1: the file it replaced stays in the trash, as another file bears its name</source>
        <translation>%1: die ersetzte Datei bleibt im Papierkorb, da eine andere Datei ihren Namen trägt</translation>
    </message>
</context>
<context>
    <name>Regexp</name>
    <message>
        <source>Form</source>
        <translation>Formular</translation>
    </message>
    <message>
        <source>Characters and Abbreviations for Sets of Characters</source>
        <translation>Zeichen und Abkürzungen für Zeichenmengen</translation>
    </message>
    <message>
        <source>c</source>
        <translation>c</translation>
    </message>
    <message>
        <source>Any ordinary character stands for itself, unless it is one of the special characters described on these pages. The character c matches the letter c.</source>
        <translation>Jedes gewöhnliche Zeichen steht für sich selbst, sofern es nicht eines der Sonderzeichen ist, die diese Seiten beschreiben. Das Zeichen c passt auf den Buchstaben c.</translation>
    </message>
    <message>
        <source>\c</source>
        <translation>\c</translation>
    </message>
    <message>
        <source>A backslash in front of a special character makes it an ordinary one that stands for itself. For example \^ matches a caret, even at the start of the pattern.</source>
        <translation>Ein Backslash vor einem Sonderzeichen macht es zu einem gewöhnlichen Zeichen, das für sich selbst steht. So passt \^ auf einen Zirkumflex, auch am Anfang des Musters.</translation>
    </message>
    <message>
        <source>\a</source>
        <translation>\a</translation>
    </message>
    <message>
        <source>Matches the bell character (BEL, 0x07).</source>
        <translation>Passt auf das Klingelzeichen (BEL, 0x07).</translation>
    </message>
    <message>
        <source>\f</source>
        <translation>\f</translation>
    </message>
    <message>
        <source>Matches the form feed character (FF, 0x0C).</source>
        <translation>Passt auf den Seitenvorschub (FF, 0x0C).</translation>
    </message>
    <message>
        <source>\n</source>
        <translation>\n</translation>
    </message>
    <message>
        <source>Matches the line feed character (LF, 0x0A), the Unix newline.</source>
        <translation>Passt auf den Zeilenvorschub (LF, 0x0A), den Zeilenumbruch unter Unix.</translation>
    </message>
    <message>
        <source>\r</source>
        <translation>\r</translation>
    </message>
    <message>
        <source>Matches the carriage return character (CR, 0x0D).</source>
        <translation>Passt auf den Wagenrücklauf (CR, 0x0D).</translation>
    </message>
    <message>
        <source>\t</source>
        <translation>\t</translation>
    </message>
    <message>
        <source>Matches the horizontal tab character (HT, 0x09).</source>
        <translation>Passt auf den horizontalen Tabulator (HT, 0x09).</translation>
    </message>
    <message>
        <source>\xhhhh</source>
        <translation>\xhhhh</translation>
    </message>
    <message>
        <source>Matches the Unicode character whose code is the four-digit hexadecimal number hhhh (from 0x0000 to 0xFFFF).</source>
        <translation>Passt auf das Unicode-Zeichen, dessen Code die vierstellige Hexadezimalzahl hhhh ist (von 0x0000 bis 0xFFFF).</translation>
    </message>
    <message>
        <source>&lt;strong&gt;\0ooo&lt;/strong&gt;&lt;br /&gt;
(i.e., zero ooo)</source>
        <translation>&lt;strong&gt;\0ooo&lt;/strong&gt;&lt;br /&gt;
(d. h. Null ooo)</translation>
    </message>
    <message>
        <source>Matches the Latin-1 character whose code is the octal number ooo, which may not exceed octal 377 (decimal 255).</source>
        <translation>Passt auf das Latin-1-Zeichen, dessen Code die Oktalzahl ooo ist; sie darf oktal 377 (dezimal 255) nicht überschreiten.</translation>
    </message>
    <message>
        <source>&lt;strong&gt;.&lt;/strong&gt; (dot)</source>
        <translation>&lt;strong&gt;.&lt;/strong&gt; (Punkt)</translation>
    </message>
    <message>
        <source>Matches any single character, the newline included.</source>
        <translation>Passt auf jedes einzelne Zeichen, auch auf den Zeilenumbruch.</translation>
    </message>
    <message>
        <source>\d</source>
        <translation>\d</translation>
    </message>
    <message>
        <source>Matches a digit.</source>
        <translation>Passt auf eine Ziffer.</translation>
    </message>
    <message>
        <source>\D</source>
        <translation>\D</translation>
    </message>
    <message>
        <source>Matches any character that is not a digit.</source>
        <translation>Passt auf jedes Zeichen, das keine Ziffer ist.</translation>
    </message>
    <message>
        <source>\s</source>
        <translation>\s</translation>
    </message>
    <message>
        <source>Matches a whitespace character, such as a space, a tab or a line feed.</source>
        <translation>Passt auf ein Leerraumzeichen, etwa ein Leerzeichen, einen Tabulator oder einen Zeilenvorschub.</translation>
    </message>
    <message>
        <source>\S</source>
        <translation>\S</translation>
    </message>
    <message>
        <source>Matches any character that is not whitespace.</source>
        <translation>Passt auf jedes Zeichen, das kein Leerraum ist.</translation>
    </message>
    <message>
        <source>\w</source>
        <translation>\w</translation>
    </message>
    <message>
        <source>Matches a word character: a letter, a digit or the underscore.</source>
        <translation>Passt auf ein Wortzeichen: einen Buchstaben, eine Ziffer oder den Unterstrich.</translation>
    </message>
    <message>
        <source>\W</source>
        <translation>\W</translation>
    </message>
    <message>
        <source>Matches any character that is not a word character.</source>
        <translation>Passt auf jedes Zeichen, das kein Wortzeichen ist.</translation>
    </message>
    <message>
        <source>Back-reference: matches again the text that the n-th parenthesised group captured. \1 repeats the first group, \2 the second, and so on.</source>
        <translation>Rückverweis: passt noch einmal auf den Text, den die n-te Gruppe in runden Klammern erfasst hat. \1 wiederholt die erste Gruppe, \2 die zweite und so weiter.</translation>
    </message>
    <message>
        <source>Sets of Characters</source>
        <translation>Zeichenmengen</translation>
    </message>
    <message>
        <source>Square brackets match any one of the characters they enclose. The abbreviations of the first page, such as \d or \s, may be used inside them. Apart from those abbreviations and the two entries below, characters inside brackets lose their special meaning.</source>
        <translation>Eckige Klammern passen auf genau eines der Zeichen, die sie einschließen. Die Abkürzungen der ersten Seite, etwa \d oder \s, dürfen darin vorkommen. Abgesehen von diesen Abkürzungen und den beiden Einträgen unten verlieren Zeichen in eckigen Klammern ihre besondere Bedeutung.</translation>
    </message>
    <message>
        <source>^</source>
        <translation>^</translation>
    </message>
    <message>
        <source>As the first character inside the brackets, the caret turns the set around: it matches any character that is not listed. [^abc] matches any character except a, b and c.</source>
        <translation>Als erstes Zeichen in den Klammern kehrt der Zirkumflex die Menge um: Sie passt dann auf jedes Zeichen, das nicht aufgeführt ist. [^abc] passt auf jedes Zeichen außer a, b und c.</translation>
    </message>
    <message>
        <source>-</source>
        <translation>-</translation>
    </message>
    <message>
        <source>Between two characters, the dash stands for the whole range from the first to the second. [W-Z] matches W, X, Y or Z.</source>
        <translation>Zwischen zwei Zeichen steht der Bindestrich für den ganzen Bereich vom ersten bis zum zweiten. [W-Z] passt auf W, X, Y oder Z.</translation>
    </message>
    <message>
        <source>Quantifiers</source>
        <translation>Quantoren</translation>
    </message>
    <message>
        <source>Without a quantifier, an expression must occur exactly once. Below, E stands for an expression: a single character, an abbreviation such as \d, a set of characters in square brackets, or an expression in parentheses.</source>
        <translation>Ohne Quantor muss ein Ausdruck genau einmal vorkommen. Im Folgenden steht E für einen Ausdruck: ein einzelnes Zeichen, eine Abkürzung wie \d, eine Zeichenmenge in eckigen Klammern oder einen Ausdruck in runden Klammern.</translation>
    </message>
    <message>
        <source>E?</source>
        <translation>E?</translation>
    </message>
    <message>
        <source>Zero or one occurrence of E: E is optional. The same as E{0,1}. For example, dents? matches both &quot;dent&quot; and &quot;dents&quot;.</source>
        <translation>Kein oder ein Vorkommen von E: E ist optional. Gleichbedeutend mit E{0,1}. So passt Hunde? sowohl auf „Hund“ als auch auf „Hunde“.</translation>
    </message>
    <message>
        <source>E+</source>
        <translation>E+</translation>
    </message>
    <message>
        <source>One or more occurrences of E. The same as E{1,}. For example, 0+ matches &quot;0&quot;, &quot;00&quot;, &quot;000&quot; and so on.</source>
        <translation>Ein oder mehr Vorkommen von E. Gleichbedeutend mit E{1,}. So passt 0+ auf „0“, „00“, „000“ und so weiter.</translation>
    </message>
    <message>
        <source>E*</source>
        <translation>E*</translation>
    </message>
    <message>
        <source>Zero or more occurrences of E. The same as E{0,}. Take care: since E* also matches nothing at all, it often matches where you did not expect it. Where at least one occurrence is needed, use E+ instead.</source>
        <translation>Kein, ein oder mehr Vorkommen von E. Gleichbedeutend mit E{0,}. Vorsicht: Da E* auch auf gar nichts passt, passt es oft dort, wo man es nicht erwartet. Wird mindestens ein Vorkommen gebraucht, verwenden Sie stattdessen E+.</translation>
    </message>
    <message>
        <source>E{n}</source>
        <translation>E{n}</translation>
    </message>
    <message>
        <source>Exactly n occurrences of E. The same as E{n,n}. For example, x{3} matches &quot;xxx&quot; and nothing shorter.</source>
        <translation>Genau n Vorkommen von E. Gleichbedeutend mit E{n,n}. So passt x{3} auf „xxx“ und auf nichts Kürzeres.</translation>
    </message>
    <message>
        <source>E{n,}</source>
        <translation>E{n,}</translation>
    </message>
    <message>
        <source>At least n occurrences of E.</source>
        <translation>Mindestens n Vorkommen von E.</translation>
    </message>
    <message>
        <source>E{,m}</source>
        <translation>E{,m}</translation>
    </message>
    <message>
        <source>At most m occurrences of E. The same as E{0,m}.</source>
        <translation>Höchstens m Vorkommen von E. Gleichbedeutend mit E{0,m}.</translation>
    </message>
    <message>
        <source>E{n,m}</source>
        <translation>E{n,m}</translation>
    </message>
    <message>
        <source>At least n and at most m occurrences of E.</source>
        <translation>Mindestens n und höchstens m Vorkommen von E.</translation>
    </message>
    <message>
        <source>Assertions</source>
        <translation>Zusicherungen</translation>
    </message>
    <message>
        <source>Assertions state a condition about the current position in the text. They match no character themselves. Below, E stands for any expression.</source>
        <translation>Zusicherungen stellen eine Bedingung an die aktuelle Position im Text. Sie selbst passen auf kein Zeichen. Im Folgenden steht E für einen beliebigen Ausdruck.</translation>
    </message>
    <message>
        <source>Matches at the start of the string. To match a caret itself, escape it as \^. For example, ^#include matches &quot;#include&quot; only at the very beginning.</source>
        <translation>Passt am Anfang der Zeichenkette. Um den Zirkumflex selbst zu finden, schreiben Sie ihn als \^. So passt ^#include auf „#include“ nur ganz am Anfang.</translation>
    </message>
    <message>
        <source>$</source>
        <translation>$</translation>
    </message>
    <message>
        <source>Matches at the end of the string. To match a dollar sign itself, escape it as \$. For example, \d\s*$ matches a digit followed only by optional whitespace up to the end.</source>
        <translation>Passt am Ende der Zeichenkette. Um das Dollarzeichen selbst zu finden, schreiben Sie es als \$. So passt \d\s*$ auf eine Ziffer, der bis zum Ende höchstens noch Leerraum folgt.</translation>
    </message>
    <message>
        <source>\b</source>
        <translation>\b</translation>
    </message>
    <message>
        <source>Matches at a word boundary, where a word character meets a non-word character. For example, \bOK\b finds &quot;OK&quot; as a whole word but not inside &quot;BOOKS&quot;.</source>
        <translation>Passt an einer Wortgrenze, wo ein Wortzeichen auf ein Zeichen trifft, das keines ist. So findet \bHand\b „Hand“ als ganzes Wort, aber nicht in „Handschuh“.</translation>
    </message>
    <message>
        <source>\B</source>
        <translation>\B</translation>
    </message>
    <message>
        <source>Matches wherever \b does not: a position that is not a word boundary. For example, \Bon\B finds &quot;on&quot; inside &quot;Monday&quot; but not in &quot;on time&quot;.</source>
        <translation>Passt überall dort, wo \b nicht passt: an einer Position, die keine Wortgrenze ist. So findet \Bei\B „ei“ in „Meister“, aber nicht in „ein“.</translation>
    </message>
    <message>
        <source>(?
=E)</source>
        <translation>(?
=E)</translation>
    </message>
    <message>
        <source>Positive lookahead: holds where E would match at this position, without consuming it. For example, const(?=\s+char) matches &quot;const&quot; only when &quot;char&quot; follows.</source>
        <translation>Positive Vorausschau: gilt dort, wo E an dieser Position passen würde, ohne es zu verbrauchen. So passt const(?=\s+char) auf „const“ nur, wenn „char“ folgt.</translation>
    </message>
    <message>
        <source>(?!E)</source>
        <translation>(?!E)</translation>
    </message>
    <message>
        <source>Negative lookahead: holds where E would not match at this position. For example, const(?!\s+char) matches &quot;const&quot; unless &quot;char&quot; follows.</source>
        <translation>Negative Vorausschau: gilt dort, wo E an dieser Position nicht passen würde. So passt const(?!\s+char) auf „const“, außer wenn „char“ folgt.</translation>
    </message>
    <message>
        <source>Previous</source>
        <translation>Zurück</translation>
    </message>
    <message>
        <source>1 / 5</source>
        <translation>1 / 5</translation>
    </message>
    <message>
        <source>Next</source>
        <translation>Weiter</translation>
    </message>
    <message>
        <source>&lt;html&gt;&lt;head/&gt;&lt;body&gt;&lt;p&gt;&lt;span style=&quot; font-size:8pt;&quot;&gt;This documentation provides from the Qt Documentation of QRegExp. The original can be found &lt;/span&gt;&lt;span style=&quot; font-size:8pt; color:#009900;&quot;&gt;https://doc.qt.io/qt-5/qregexp.html&lt;/span&gt;&lt;span style=&quot; font-size:8pt;&quot;&gt;.&lt;/span&gt;&lt;/p&gt;&lt;/body&gt;&lt;/html&gt;</source>
        <translation>&lt;html&gt;&lt;head/&gt;&lt;body&gt;&lt;p&gt;&lt;span style=&quot; font-size:8pt;&quot;&gt;Diese Dokumentation stammt aus der Qt-Dokumentation zu QRegExp. Das Original finden Sie unter &lt;/span&gt;&lt;span style=&quot; font-size:8pt; color:#009900;&quot;&gt;https://doc.qt.io/qt-5/qregexp.html&lt;/span&gt;&lt;span style=&quot; font-size:8pt;&quot;&gt;.&lt;/span&gt;&lt;/p&gt;&lt;/body&gt;&lt;/html&gt;</translation>
    </message>
    <message>
        <source>Replacing</source>
        <translation>Ersetzen</translation>
    </message>
    <message>
        <source>With RegExp ticked on the Replace tab, the text put in place of a match may repeat what the expression captured. The Rules tab&apos;s replace rule reads the same expressions, or Perl&apos;s when its syntax is set so.</source>
        <translation>Ist auf der Registerkarte „Ersetzen“ RegExp angekreuzt, kann der eingesetzte Text wiederholen, was der Ausdruck erfasst hat. Die Ersetzen-Regel der Registerkarte „Regeln“ liest dieselben Ausdrücke, oder die von Perl, wenn ihre Syntax so eingestellt ist.</translation>
    </message>
    <message>
        <source>Parentheses capture the text they match, counted from the left by their opening parenthesis. (?:E) groups E without capturing.</source>
        <translation>Klammern erfassen den Text, auf den sie passen, von links nach ihrer öffnenden Klammer gezählt. (?:E) gruppiert E, ohne zu erfassen.</translation>
    </message>
    <message>
        <source>In the text put in place, the text the first to ninth parentheses captured. For example, finding (\d+)-(\d+) and putting \2-\1 turns &quot;12-34&quot; into &quot;34-12&quot;.</source>
        <translation>Im eingesetzten Text der Text, den die erste bis neunte Klammer erfasst hat. Wer zum Beispiel (\d+)-(\d+) sucht und \2-\1 einsetzt, macht aus „12-34“ „34-12“.</translation>
    </message>
    <message>
        <source>With the Perl syntax of a replace rule, $1 and ${name} repeat captures too, (?&lt;name&gt;E) naming one.</source>
        <translation>Mit der Perl-Syntax einer Ersetzen-Regel wiederholen auch $1 und ${name} Erfasstes; (?&lt;name&gt;E) benennt eine Erfassung.</translation>
    </message>
    <message>
        <source>Without RegExp ticked, the text to find is found as it is written: every character stands for itself.</source>
        <translation>Ohne angekreuztes RegExp wird der gesuchte Text so gefunden, wie er geschrieben ist: Jedes Zeichen steht für sich selbst.</translation>
    </message>
</context>
<context>
    <name>Rename</name>
    <message>
        <source>Renaming</source>
        <translation>Umbenennung</translation>
    </message>
    <message>
        <source>Reseting</source>
        <translation>Zurücksetzen</translation>
    </message>
</context>
<context>
    <name>RenameTab</name>
    <message>
        <source>Date (newer first)</source>
        <translation>Datum (neuere zuerst)</translation>
    </message>
    <message>
        <source>Size (greater first)</source>
        <translation>Größe (größere zuerst)</translation>
    </message>
    <message>
        <source>Name (alphabetical)</source>
        <translation>Name (alphabetisch)</translation>
    </message>
    <message>
        <source>filename</source>
        <extracomment>Stands for the old name of a file in the example name, as in the radio buttons.</extracomment>
        <translation>Dateiname</translation>
    </message>
    <message>
        <source>You have selected to rename your files : 
</source>
        <translation>Ihre Dateien werden so umbenannt:
</translation>
    </message>
    <message>
        <source>

Continue ?</source>
        <translation>

Fortfahren?</translation>
    </message>
</context>
<context>
    <name>ReplaceTab</name>
    <message>
        <source>Empty input string</source>
        <translation>Leerer Suchtext</translation>
    </message>
    <message>
        <source>Warning : Please fill the input string to replace...</source>
        <translation>Warnung: Bitte geben Sie den zu ersetzenden Text ein...</translation>
    </message>
    <message>
        <source>Invalid regular expression</source>
        <translation>Ungültiger regulärer Ausdruck</translation>
    </message>
    <message>
        <source>The regular expression is not valid: %1.</source>
        <translation>Der reguläre Ausdruck ist ungültig: %1.</translation>
    </message>
</context>
<context>
    <name>Rule</name>
    <message>
        <source>Text</source>
        <translation>Text</translation>
    </message>
    <message>
        <source>Format</source>
        <translation>Format</translation>
    </message>
    <message>
        <source>Text and number only</source>
        <translation>Nur Text und Nummer</translation>
    </message>
    <message>
        <source>Before the old name</source>
        <translation>Vor dem alten Namen</translation>
    </message>
    <message>
        <source>After the old name</source>
        <translation>Nach dem alten Namen</translation>
    </message>
    <message>
        <source>Number before the text</source>
        <translation>Nummer vor dem Text</translation>
    </message>
    <message>
        <source>Suffixes (* for every one)</source>
        <translation>Endungen (* für alle)</translation>
    </message>
    <message>
        <source>Find</source>
        <translation>Suchen</translation>
    </message>
    <message>
        <source>Replace with</source>
        <translation>Ersetzen durch</translation>
    </message>
    <message>
        <source>Regular expression</source>
        <translation>Regulärer Ausdruck</translation>
    </message>
    <message>
        <source>In</source>
        <translation>In</translation>
    </message>
    <message>
        <source>the base name</source>
        <translation>dem Basisnamen</translation>
    </message>
    <message>
        <source>the suffix</source>
        <translation>der Endung</translation>
    </message>
    <message>
        <source>the whole name</source>
        <translation>dem ganzen Namen</translation>
    </message>
    <message>
        <source>the name up to its first dot</source>
        <translation>dem Namen bis zum ersten Punkt</translation>
    </message>
    <message>
        <source>Case-sensitive</source>
        <translation>Groß-/Kleinschreibung beachten</translation>
    </message>
    <message>
        <source>Replace</source>
        <translation>Ersetzen</translation>
    </message>
    <message>
        <source>every match</source>
        <translation>jeden Treffer</translation>
    </message>
    <message>
        <source>the first match</source>
        <translation>den ersten Treffer</translation>
    </message>
    <message>
        <source>only a match of the whole part</source>
        <translation>nur einen Treffer des ganzen Teils</translation>
    </message>
    <message>
        <source>Syntax</source>
        <translation>Syntax</translation>
    </message>
    <message>
        <source>Perl-compatible</source>
        <translation>Perl-kompatibel</translation>
    </message>
    <message>
        <source>as in the Replace tab</source>
        <translation>wie im Reiter Ersetzen</translation>
    </message>
    <message>
        <source>&quot;%1&quot; must be a text</source>
        <translation>„%1“ muss ein Text sein</translation>
    </message>
    <message>
        <source>&quot;%1&quot; must be true or false</source>
        <translation>„%1“ muss true oder false sein</translation>
    </message>
    <message>
        <source>&quot;%1&quot; must be a whole number from %2 to %3</source>
        <translation>„%1“ muss eine ganze Zahl von %2 bis %3 sein</translation>
    </message>
    <message>
        <source>&quot;%1&quot; must be one of %2</source>
        <translation>„%1“ muss eines von %2 sein</translation>
    </message>
    <message>
        <source>&quot;%1&quot; must be a list of texts</source>
        <translation>„%1“ muss eine Liste von Texten sein</translation>
    </message>
    <message>
        <source>&quot;%1&quot; must be true or false, not &quot;%2&quot;</source>
        <translation>„%1“ muss true oder false sein, nicht „%2“</translation>
    </message>
    <message>
        <source>&quot;%1&quot; must be a whole number from %2 to %3, not &quot;%4&quot;</source>
        <translation>„%1“ muss eine ganze Zahl von %2 bis %3 sein, nicht „%4“</translation>
    </message>
    <message>
        <source>&quot;%1&quot; must be one of %2, not &quot;%3&quot;</source>
        <translation>„%1“ muss eines von %2 sein, nicht „%3“</translation>
    </message>
    <message>
        <source>&quot;enabled&quot; must be true or false</source>
        <translation>„enabled“ muss true oder false sein</translation>
    </message>
    <message>
        <source>unknown key &quot;%1&quot;</source>
        <translation>unbekannter Schlüssel „%1“</translation>
    </message>
    <message>
        <source>%1 takes at most %2 fields</source>
        <translation>%1 nimmt höchstens %2 Felder</translation>
    </message>
    <message>
        <source>Text and number</source>
        <translation>Text und Nummer</translation>
    </message>
    <message>
        <source>Start at</source>
        <translation>Beginnen bei</translation>
    </message>
    <message>
        <source>Step</source>
        <translation>Schrittweite</translation>
    </message>
    <message>
        <source>Digits (0: as many as the folder needs)</source>
        <translation>Stellen (0: so viele, wie der Ordner braucht)</translation>
    </message>
    <message>
        <source>Put the number</source>
        <translation>Nummer setzen</translation>
    </message>
    <message>
        <source>before the name</source>
        <translation>vor den Namen</translation>
    </message>
    <message>
        <source>after the name</source>
        <translation>hinter den Namen</translation>
    </message>
    <message>
        <source>in place of the name</source>
        <translation>an die Stelle des Namens</translation>
    </message>
    <message>
        <source>Separator</source>
        <translation>Trennzeichen</translation>
    </message>
    <message>
        <source>Count</source>
        <translation>Zählen</translation>
    </message>
    <message>
        <source>in each folder afresh</source>
        <translation>in jedem Ordner neu</translation>
    </message>
    <message>
        <source>across all the files</source>
        <translation>über alle Dateien hinweg</translation>
    </message>
    <message>
        <source>the step must not be 0</source>
        <translation>die Schrittweite darf nicht 0 sein</translation>
    </message>
    <message>
        <source>&quot;%1&quot; is not a valid regular expression: %2</source>
        <translation>„%1“ ist kein gültiger regulärer Ausdruck: %2</translation>
    </message>
    <message>
        <source>Counter</source>
        <translation>Zähler</translation>
    </message>
    <message>
        <source>Template</source>
        <translation>Vorlage</translation>
    </message>
    <message>
        <source>%1 takes nothing after a colon</source>
        <translation>%1 nimmt nach einem Doppelpunkt nichts an</translation>
    </message>
    <message>
        <source>bad width in %1: a number from 1 to %2 is needed</source>
        <translation>ungültige Breite in %1: eine Zahl von 1 bis %2 wird gebraucht</translation>
    </message>
    <message>
        <source>%1 needs a date format after the colon</source>
        <translation>%1 braucht nach dem Doppelpunkt ein Datumsformat</translation>
    </message>
    <message>
        <source>a &quot;}&quot; stands alone (&quot;}}&quot; is a brace)</source>
        <translation>ein „}“ steht allein („}}“ steht für eine Klammer)</translation>
    </message>
    <message>
        <source>&quot;%1&quot; has no closing brace (&quot;{{&quot; is a brace)</source>
        <translation>„%1“ hat keine schließende Klammer („{{“ steht für eine Klammer)</translation>
    </message>
    <message>
        <source>unknown token %1</source>
        <translation>unbekannter Platzhalter %1</translation>
    </message>
    <message>
        <source>Case</source>
        <translation>Schreibung</translation>
    </message>
    <message>
        <source>lower case</source>
        <translation>Kleinbuchstaben</translation>
    </message>
    <message>
        <source>UPPER CASE</source>
        <translation>GROSSBUCHSTABEN</translation>
    </message>
    <message>
        <source>Title Case</source>
        <translation>Wortanfänge Groß</translation>
    </message>
    <message>
        <source>Sentence case</source>
        <translation>Satzanfang groß</translation>
    </message>
    <message>
        <source>%1 in %2</source>
        <translation>%1 in %2</translation>
    </message>
    <message>
        <source>Unicode form</source>
        <translation>Unicode-Form</translation>
    </message>
    <message>
        <source>as it is</source>
        <translation>unverändert</translation>
    </message>
    <message>
        <source>composed (NFC)</source>
        <translation>zusammengesetzt (NFC)</translation>
    </message>
    <message>
        <source>decomposed (NFD)</source>
        <translation>zerlegt (NFD)</translation>
    </message>
    <message>
        <source>Letters in ASCII (é → e, Ж → Zh)</source>
        <translation>Buchstaben in ASCII (é → e, Ж → Zh)</translation>
    </message>
    <message>
        <source>Replace characters Windows refuses</source>
        <translation>Zeichen ersetzen, die Windows ablehnt</translation>
    </message>
    <message>
        <source>Replace them with</source>
        <translation>Ersetzen durch</translation>
    </message>
    <message>
        <source>Blanks</source>
        <translation>Leerzeichen</translation>
    </message>
    <message>
        <source>as they are</source>
        <translation>unverändert</translation>
    </message>
    <message>
        <source>become _</source>
        <translation>werden zu _</translation>
    </message>
    <message>
        <source>become -</source>
        <translation>werden zu -</translation>
    </message>
    <message>
        <source>Letters cannot be written in ASCII here: the system&apos;s ICU refuses &quot;%1&quot; (%2).</source>
        <translation>Buchstaben können hier nicht in ASCII geschrieben werden: Das ICU des Systems lehnt „%1“ ab (%2).</translation>
    </message>
    <message>
        <source>letters in ASCII</source>
        <translation>Buchstaben in ASCII</translation>
    </message>
    <message>
        <source>blanks %1</source>
        <translation>Leerzeichen %1</translation>
    </message>
    <message>
        <source>what Windows refuses → &quot;%1&quot;</source>
        <translation>was Windows ablehnt → „%1“</translation>
    </message>
    <message>
        <source>characters as they are</source>
        <translation>Zeichen unverändert</translation>
    </message>
    <message>
        <source>At character</source>
        <translation>Bei Zeichen</translation>
    </message>
    <message>
        <source>Counted from</source>
        <translation>Gezählt ab</translation>
    </message>
    <message>
        <source>the start of the base name</source>
        <translation>dem Anfang des Basisnamens</translation>
    </message>
    <message>
        <source>the end of the base name</source>
        <translation>dem Ende des Basisnamens</translation>
    </message>
    <message>
        <source>insert &quot;%1&quot; %2 from the end</source>
        <translation>„%1“ %2 vor dem Ende einfügen</translation>
    </message>
    <message>
        <source>insert &quot;%1&quot; at %2</source>
        <translation>„%1“ bei %2 einfügen</translation>
    </message>
    <message>
        <source>From character</source>
        <translation>Ab Zeichen</translation>
    </message>
    <message>
        <source>Characters to remove</source>
        <translation>Zu entfernende Zeichen</translation>
    </message>
    <message>
        <source>Trim</source>
        <translation>Abschneiden</translation>
    </message>
    <message>
        <source>nothing</source>
        <translation>nichts</translation>
    </message>
    <message>
        <source>blanks</source>
        <translation>Leerzeichen</translation>
    </message>
    <message>
        <source>the characters below</source>
        <translation>die Zeichen unten</translation>
    </message>
    <message>
        <source>Characters to trim</source>
        <translation>Abzuschneidende Zeichen</translation>
    </message>
    <message>
        <source>Trim at</source>
        <translation>Abschneiden an</translation>
    </message>
    <message>
        <source>both ends</source>
        <translation>beiden Enden</translation>
    </message>
    <message>
        <source>the start</source>
        <translation>dem Anfang</translation>
    </message>
    <message>
        <source>the end</source>
        <translation>dem Ende</translation>
    </message>
    <message>
        <source>Runs of blanks become one space</source>
        <translation>Mehrere Leerzeichen werden zu einem</translation>
    </message>
    <message>
        <source>remove %1 at %2 from the end</source>
        <translation>%1 bei %2 vor dem Ende entfernen</translation>
    </message>
    <message>
        <source>remove %1 at %2</source>
        <translation>%1 bei %2 entfernen</translation>
    </message>
    <message>
        <source>one space for a run of blanks</source>
        <translation>ein Leerzeichen für mehrere</translation>
    </message>
    <message>
        <source>trim blanks at %1</source>
        <translation>Leerzeichen an %1 abschneiden</translation>
    </message>
    <message>
        <source>trim &quot;%1&quot; at %2</source>
        <translation>„%1“ an %2 abschneiden</translation>
    </message>
    <message>
        <source>remove nothing</source>
        <translation>nichts entfernen</translation>
    </message>
    <message>
        <source>Letter case</source>
        <translation>Groß-/Kleinschreibung</translation>
    </message>
    <message>
        <source>Insert</source>
        <translation>Einfügen</translation>
    </message>
    <message>
        <source>Remove</source>
        <translation>Entfernen</translation>
    </message>
    <message>
        <source>Characters</source>
        <translation>Zeichen</translation>
    </message>
    <message>
        <source>Suffix</source>
        <translation>Endung</translation>
    </message>
    <message>
        <source>New suffix (empty keeps it)</source>
        <translation>Neue Endung (leer: unverändert)</translation>
    </message>
    <message>
        <source>Suffix starts at</source>
        <translation>Endung beginnt am</translation>
    </message>
    <message>
        <source>the last dot</source>
        <translation>letzten Punkt</translation>
    </message>
    <message>
        <source>the first dot</source>
        <translation>ersten Punkt</translation>
    </message>
    <message>
        <source>suffix .%1 from the first dot</source>
        <translation>Endung .%1 ab dem ersten Punkt</translation>
    </message>
    <message>
        <source>suffix .%1</source>
        <translation>Endung .%1</translation>
    </message>
    <message>
        <source>suffix in %1</source>
        <translation>Endung in %1</translation>
    </message>
    <message>
        <source>suffix as it is</source>
        <translation>Endung unverändert</translation>
    </message>
    <message>
        <source>stays: it has no %1</source>
        <translation>bleibt: ihr fehlt %1</translation>
    </message>
    <message>
        <source>not a photo</source>
        <translation>kein Foto</translation>
    </message>
    <message>
        <source>not a song, or damaged</source>
        <translation>kein Musikstück, oder beschädigt</translation>
    </message>
    <message>
        <source>damaged, or not a photo</source>
        <translation>beschädigt, oder kein Foto</translation>
    </message>
    <message>
        <source>could not be read</source>
        <translation>konnte nicht gelesen werden</translation>
    </message>
    <message>
        <source>List file</source>
        <translation>Listendatei</translation>
    </message>
    <message>
        <source>found from the list</source>
        <translation>aus der Liste erkannt</translation>
    </message>
    <message>
        <source>one new name per line</source>
        <translation>ein neuer Name pro Zeile</translation>
    </message>
    <message>
        <source>old name,new name</source>
        <translation>alter Name,neuer Name</translation>
    </message>
    <message>
        <source>Names (without a file)</source>
        <translation>Namen (ohne Datei)</translation>
    </message>
    <message>
        <source>the list &quot;%1&quot; cannot be read: %2</source>
        <translation>die Liste „%1“ kann nicht gelesen werden: %2</translation>
    </message>
    <message>
        <source>line %1 of the list is empty</source>
        <translation>Zeile %1 der Liste ist leer</translation>
    </message>
    <message>
        <source>line %1 of the list is not &quot;old name,new name&quot;</source>
        <translation>Zeile %1 der Liste ist nicht „alter Name,neuer Name“</translation>
    </message>
    <message>
        <source>line %1 of the list names &quot;%2&quot; again</source>
        <translation>Zeile %1 der Liste nennt „%2“ noch einmal</translation>
    </message>
    <message>
        <source>the list renames &quot;%1&quot;, which is not among the files</source>
        <translation>die Liste benennt „%1“ um, das nicht unter den Dateien ist</translation>
    </message>
    <message>
        <source>names from a list</source>
        <translation>Namen aus einer Liste</translation>
    </message>
    <message>
        <source>names from %1</source>
        <translation>Namen aus %1</translation>
    </message>
    <message>
        <source>Names from a list</source>
        <translation>Namen aus einer Liste</translation>
    </message>
    <message>
        <source>Same names</source>
        <translation>Gleiche Namen</translation>
    </message>
    <message>
        <source>first file only</source>
        <translation>nur die erste Datei</translation>
    </message>
    <message>
        <source>numbered _1, _2, ...</source>
        <translation>nummeriert _1, _2, ...</translation>
    </message>
    <message>
        <source>Paths and typed names</source>
        <translation>Pfade und eingetippte Namen</translation>
    </message>
    <message>
        <source>the typed names do not come in pairs of a path and a name</source>
        <translation>die eingetippten Namen sind nicht paarweise Pfad und Name</translation>
    </message>
    <message>
        <source>the typed name of &quot;%1&quot; is empty</source>
        <translation>der eingetippte Name von „%1“ ist leer</translation>
    </message>
    <message>
        <source>typed names: %1</source>
        <translation>eingetippte Namen: %1</translation>
    </message>
    <message>
        <source>Fill in tokens such as {exif.date}</source>
        <translation>Platzhalter wie {exif.date} ausfüllen</translation>
    </message>
    <message>
        <source>Names typed in the table</source>
        <translation>In der Tabelle eingetippte Namen</translation>
    </message>
    <message numerus="yes">
        <source>the list has %1 names for %Ln files</source>
        <translation>
            <numerusform>die Liste hat %1 Namen für %Ln Datei</numerusform>
            <numerusform>die Liste hat %1 Namen für %Ln Dateien</numerusform>
        </translation>
    </message>
</context>
<context>
    <name>RuleEditor</name>
    <message>
        <source>Add a rule, or choose one in the list, to set it here.</source>
        <translation>Fügen Sie eine Regel hinzu oder wählen Sie eine in der Liste, um sie hier einzustellen.</translation>
    </message>
    <message>
        <source>%1:</source>
        <extracomment>A field&apos;s label in the rule editor; French puts a blank before the colon.</extracomment>
        <translation>%1:</translation>
    </message>
    <message>
        <source>Items separated by commas</source>
        <translation>Einträge durch Kommas getrennt</translation>
    </message>
    <message>
        <source>One item per line; paste a column here</source>
        <translation>Ein Eintrag pro Zeile; hier eine Spalte einfügen</translation>
    </message>
    <message>
        <source>Open…</source>
        <translation>Öffnen…</translation>
    </message>
    <message>
        <source>Choose the file</source>
        <translation>Datei wählen</translation>
    </message>
    <message>
        <source>Open a list of names</source>
        <translation>Namensliste öffnen</translation>
    </message>
    <message>
        <source>Lists of names (*.txt *.csv);;All files (*)</source>
        <translation>Namenslisten (*.txt *.csv);;Alle Dateien (*)</translation>
    </message>
</context>
<context>
    <name>RuleStack</name>
    <message>
        <source>rule %1 (%2): %3</source>
        <translation>Regel %1 (%2): %3</translation>
    </message>
    <message>
        <source>&quot;reversed&quot; must be true or false</source>
        <translation>„reversed“ muss true oder false sein</translation>
    </message>
    <message>
        <source>unknown key &quot;%1&quot;</source>
        <translation>unbekannter Schlüssel „%1“</translation>
    </message>
    <message>
        <source>a list &quot;rules&quot; is needed</source>
        <translation>eine Liste „rules“ fehlt</translation>
    </message>
    <message>
        <source>not an object</source>
        <translation>kein Objekt</translation>
    </message>
    <message>
        <source>unknown kind &quot;%1&quot;</source>
        <translation>unbekannte Art „%1“</translation>
    </message>
    <message>
        <source>%1: %2</source>
        <translation>%1: %2</translation>
    </message>
    <message>
        <source>rule %1: %2</source>
        <translation>Regel %1: %2</translation>
    </message>
    <message>
        <source>not valid JSON: %1 (at character %2)</source>
        <translation>kein gültiges JSON: %1 (bei Zeichen %2)</translation>
    </message>
    <message>
        <source>not a JSON object</source>
        <translation>kein JSON-Objekt</translation>
    </message>
    <message>
        <source>&quot;order&quot; must be &quot;natural&quot;, &quot;name&quot;, &quot;date&quot;, &quot;size&quot; or &quot;taken&quot;</source>
        <translation>„order“ muss „natural“, „name“, „date“, „size“ oder „taken“ sein</translation>
    </message>
</context>
<context>
    <name>RulesTab</name>
    <message>
        <source>Natural</source>
        <translation>Natürlich</translation>
    </message>
    <message>
        <source>Name</source>
        <translation>Name</translation>
    </message>
    <message>
        <source>Date (newer first)</source>
        <translation>Datum (neuere zuerst)</translation>
    </message>
    <message>
        <source>Size (greater first)</source>
        <translation>Größe (größere zuerst)</translation>
    </message>
    <message>
        <source>%1: %2</source>
        <extracomment>A rule in the list: its kind, then what it does.</extracomment>
        <translation>%1: %2</translation>
    </message>
    <message>
        <source>Looking at the files…</source>
        <translation>Dateien werden angesehen…</translation>
    </message>
    <message>
        <source>Add files or folders to see their new names here.</source>
        <translation>Fügen Sie Dateien oder Ordner hinzu, um hier ihre neuen Namen zu sehen.</translation>
    </message>
    <message>
        <source>Preset</source>
        <translation>Vorlage</translation>
    </message>
    <message>
        <source>Save preset</source>
        <translation>Vorlage speichern</translation>
    </message>
    <message>
        <source>Name of the preset:</source>
        <translation>Name der Vorlage:</translation>
    </message>
    <message>
        <source>&quot;%1&quot; cannot be the name of a preset: it must be a file name, without a slash and not starting with a dot.</source>
        <translation>„%1“ kann nicht der Name einer Vorlage sein: Er muss ein Dateiname sein, ohne Schrägstrich und nicht mit einem Punkt beginnend.</translation>
    </message>
    <message>
        <source>A preset &quot;%1&quot; exists already. Replace it?</source>
        <translation>Eine Vorlage „%1“ gibt es schon. Ersetzen?</translation>
    </message>
    <message>
        <source>Delete preset</source>
        <translation>Vorlage löschen</translation>
    </message>
    <message>
        <source>Delete the preset &quot;%1&quot;?</source>
        <translation>Die Vorlage „%1“ löschen?</translation>
    </message>
    <message>
        <source>Date taken (older first)</source>
        <translation>Aufnahmedatum (ältere zuerst)</translation>
    </message>
    <message>
        <source>Reading the files&apos; dates and tags: %1 of %2…</source>
        <translation>Daten und Tags der Dateien werden gelesen: %1 von %2…</translation>
    </message>
    <message>
        <source>Reading stopped. The names need the files&apos; dates or tags: change a rule or the input to read on.</source>
        <translation>Lesen angehalten. Die Namen brauchen Daten oder Tags der Dateien: eine Regel oder die Eingabe ändern, um weiterzulesen.</translation>
    </message>
    <message numerus="yes">
        <source>%1 of %Ln files will be renamed.</source>
        <translation>
            <numerusform>%1 von %Ln Datei wird umbenannt.</numerusform>
            <numerusform>%1 von %Ln Dateien werden umbenannt.</numerusform>
        </translation>
    </message>
    <message numerus="yes">
        <source>Rename %Ln files with these rules?

%1</source>
        <translation>
            <numerusform>%Ln Datei mit diesen Regeln umbenennen?

%1</numerusform>
            <numerusform>%Ln Dateien mit diesen Regeln umbenennen?

%1</numerusform>
        </translation>
    </message>
</context>
<context>
    <name>Startup</name>
    <message>
        <source>Renames files in batches.</source>
        <translation>Benennt viele Dateien auf einmal um.</translation>
    </message>
    <message>
        <source>Files and folders to put in the input list.</source>
        <translation>Dateien und Ordner für die Eingabeliste.</translation>
    </message>
</context>
<context>
    <name>Trash</name>
    <message>
        <source>the trash folder %1 can&apos;t be made (%2)</source>
        <translation>der Papierkorbordner %1 lässt sich nicht anlegen (%2)</translation>
    </message>
    <message>
        <source>%1 is not a trash folder of this user</source>
        <translation>%1 ist kein Papierkorbordner dieses Benutzers</translation>
    </message>
    <message>
        <source>it is a folder, and folders are not moved to the trash</source>
        <translation>es ist ein Ordner, und Ordner kommen nicht in den Papierkorb</translation>
    </message>
    <message>
        <source>its volume has no trash that can take it</source>
        <translation>ihr Laufwerk hat keinen Papierkorb, der sie aufnehmen kann</translation>
    </message>
    <message>
        <source>the trash&apos;s record of it can&apos;t be written (%1)</source>
        <translation>der Eintrag des Papierkorbs dazu lässt sich nicht schreiben (%1)</translation>
    </message>
    <message>
        <source>the trash has no free name for it</source>
        <translation>der Papierkorb hat keinen freien Namen dafür</translation>
    </message>
</context>
<context>
    <name>Undo</name>
    <message>
        <source>The batch could not be undone: %1</source>
        <translation>Der Auftrag konnte nicht rückgängig gemacht werden: %1</translation>
    </message>
    <message>
        <source>Nothing was undone: a later batch renamed some of the files of this one again.</source>
        <translation>Nichts wurde rückgängig gemacht: Ein späterer Auftrag hat einige Dateien dieses Auftrags erneut umbenannt.</translation>
    </message>
    <message>
        <source>Undo first the replace made on %1 (batch %2).</source>
        <translation>Machen Sie zuerst das Ersetzen vom %1 rückgängig (Auftrag %2).</translation>
    </message>
    <message>
        <source>Undo first the rename made on %1 (batch %2).</source>
        <translation>Machen Sie zuerst das Umbenennen vom %1 rückgängig (Auftrag %2).</translation>
    </message>
    <message numerus="yes">
        <source>%Ln files were left as they are:</source>
        <translation>
            <numerusform>%Ln Datei blieb unverändert:</numerusform>
            <numerusform>%Ln Dateien blieben unverändert:</numerusform>
        </translation>
    </message>
</context>
<context>
    <name>UndoController</name>
    <message>
        <source>Undo</source>
        <translation>Rückgängig</translation>
    </message>
    <message>
        <source>Files changed since then are left as they are.</source>
        <translation>Seitdem geänderte Dateien bleiben, wie sie sind.</translation>
    </message>
    <message>
        <source>Cancel</source>
        <translation>Abbrechen</translation>
    </message>
    <message numerus="yes">
        <source>Undo replace in %Ln files</source>
        <translation>
            <numerusform>Ersetzen in %Ln Datei rückgängig machen</numerusform>
            <numerusform>Ersetzen in %Ln Dateien rückgängig machen</numerusform>
        </translation>
    </message>
    <message numerus="yes">
        <source>Undo rename of %Ln files</source>
        <translation>
            <numerusform>Umbenennen von %Ln Datei rückgängig machen</numerusform>
            <numerusform>Umbenennen von %Ln Dateien rückgängig machen</numerusform>
        </translation>
    </message>
    <message numerus="yes">
        <source>Undo the replace made on %1, which renamed %Ln files?</source>
        <translation>
            <numerusform>Das Ersetzen vom %1, das %Ln Datei umbenannt hat, rückgängig machen?</numerusform>
            <numerusform>Das Ersetzen vom %1, das %Ln Dateien umbenannt hat, rückgängig machen?</numerusform>
        </translation>
    </message>
    <message numerus="yes">
        <source>Undo the rename made on %1, which renamed %Ln files?</source>
        <translation>
            <numerusform>Das Umbenennen vom %1, das %Ln Datei umbenannt hat, rückgängig machen?</numerusform>
            <numerusform>Das Umbenennen vom %1, das %Ln Dateien umbenannt hat, rückgängig machen?</numerusform>
        </translation>
    </message>
    <message>
        <source>In %1</source>
        <translation>In %1</translation>
    </message>
</context>
<context>
    <name>UndoPlan</name>
    <message>
        <source>the batch has not ended</source>
        <translation>der Auftrag ist nicht beendet</translation>
    </message>
    <message>
        <source>it changed, or another file bears its name now</source>
        <translation>sie wurde geändert, oder eine andere Datei trägt jetzt ihren Namen</translation>
    </message>
    <message>
        <source>it is no longer there</source>
        <translation>sie ist nicht mehr da</translation>
    </message>
    <message>
        <source>the file it replaced was deleted; it cannot come back</source>
        <translation>die ersetzte Datei wurde gelöscht; sie kann nicht zurückkommen</translation>
    </message>
    <message>
        <source>the file it replaced is no longer in the trash</source>
        <translation>die ersetzte Datei ist nicht mehr im Papierkorb</translation>
    </message>
    <message>
        <source>a later batch renamed some of its files again; undo batch %1 first</source>
        <translation>ein späterer Auftrag hat einige seiner Dateien erneut umbenannt; machen Sie zuerst Auftrag %1 rückgängig</translation>
    </message>
</context>
<context>
    <name>Update</name>
    <message>
        <source>Dialog</source>
        <translation>Dialog</translation>
    </message>
    <message>
        <source>Update :</source>
        <translation>Aktualisierung:</translation>
    </message>
    <message>
        <source>Search for updates :</source>
        <translation>Nach Aktualisierungen suchen:</translation>
    </message>
    <message>
        <source>Check now !</source>
        <translation>Jetzt prüfen!</translation>
    </message>
    <message>
        <source>Status :</source>
        <translation>Status:</translation>
    </message>
    <message>
        <source>Not checked...</source>
        <translation>Nicht geprüft...</translation>
    </message>
    <message>
        <source>Download</source>
        <translation>Herunterladen</translation>
    </message>
    <message>
        <source>Download :</source>
        <translation>Herunterladen:</translation>
    </message>
    <message>
        <source>Current version :</source>
        <translation>Aktuelle Version:</translation>
    </message>
    <message>
        <source>New software version :</source>
        <translation>Neue Programmversion:</translation>
    </message>
    <message>
        <source>Filename :</source>
        <translation>Dateiname:</translation>
    </message>
    <message>
        <source>What&apos;s new :</source>
        <translation>Neuerungen:</translation>
    </message>
    <message>
        <source>0 Mo downloaded</source>
        <translation>0 Mo heruntergeladen</translation>
    </message>
    <message>
        <source>Write error here...</source>
        <translation>Hier steht die Fehlermeldung...</translation>
    </message>
    <message>
        <source>The update information names no valid file: &quot;%1&quot;</source>
        <translation>Die Aktualisierungsinformation nennt keine gültige Datei: „%1“</translation>
    </message>
    <message>
        <source>New update available.</source>
        <translation>Neue Aktualisierung verfügbar.</translation>
    </message>
    <message>
        <source>No updates available.</source>
        <translation>Keine Aktualisierungen verfügbar.</translation>
    </message>
    <message>
        <source>Save file</source>
        <translation>Datei speichern</translation>
    </message>
    <message>
        <source>Cannot save the download: %1</source>
        <translation>Die heruntergeladene Datei kann nicht gespeichert werden: %1</translation>
    </message>
    <message>
        <source>&lt;font color=&apos;Blue&apos;&gt;Download done !&lt;/font&gt;</source>
        <translation>&lt;font color=&apos;Blue&apos;&gt;Herunterladen abgeschlossen!&lt;/font&gt;</translation>
    </message>
    <message>
        <source> ko downloaded on </source>
        <translation> ko heruntergeladen von </translation>
    </message>
    <message>
        <source>% done</source>
        <translation>% erledigt</translation>
    </message>
    <message>
        <source>The update server did not answer within %1 s</source>
        <translation>Der Aktualisierungsserver hat nicht innerhalb von %1 s geantwortet</translation>
    </message>
    <message>
        <source>The update server did not send the update information within %1 s</source>
        <translation>Der Aktualisierungsserver hat die Aktualisierungsinformationen nicht innerhalb von %1 s gesendet</translation>
    </message>
    <message>
        <source>The update information is larger than %1 KiB and was refused</source>
        <translation>Die Aktualisierungsinformationen sind größer als %1 KiB und wurden abgelehnt</translation>
    </message>
    <message>
        <source>Update checks are turned off in this build.</source>
        <translation>Die Suche nach Aktualisierungen ist in dieser Ausgabe abgeschaltet.</translation>
    </message>
    <message>
        <source>Checking…</source>
        <translation>Wird geprüft…</translation>
    </message>
    <message>
        <source>The check failed.</source>
        <translation>Die Prüfung ist fehlgeschlagen.</translation>
    </message>
</context>
<context>
    <name>Volume</name>
    <message>
        <source>stays: its new name would not be a valid file name</source>
        <translation>bleibt: ihr neuer Name wäre kein gültiger Dateiname</translation>
    </message>
    <message>
        <source>stays: its new name would start with a dot and hide it</source>
        <translation>bleibt: ihr neuer Name begänne mit einem Punkt und verbärge sie</translation>
    </message>
    <message>
        <source>stays: its new name would cut a character in two</source>
        <translation>bleibt: ihr neuer Name würde ein Zeichen zerschneiden</translation>
    </message>
    <message>
        <source>stays: its new name is too long for this volume</source>
        <translation>bleibt: ihr neuer Name ist für diesen Datenträger zu lang</translation>
    </message>
    <message>
        <source>stays: the volume does not allow control characters in names</source>
        <translation>bleibt: der Datenträger erlaubt keine Steuerzeichen in Namen</translation>
    </message>
    <message>
        <source>stays: the volume does not allow &apos;%1&apos; in names</source>
        <translation>bleibt: der Datenträger erlaubt kein „%1“ in Namen</translation>
    </message>
    <message>
        <source>stays: the volume does not allow names ending in a space or a dot</source>
        <translation>bleibt: der Datenträger erlaubt keine Namen, die auf ein Leerzeichen oder einen Punkt enden</translation>
    </message>
    <message>
        <source>stays: Windows keeps its new name for a device</source>
        <translation>bleibt: Windows hält ihren neuen Namen für ein Gerät frei</translation>
    </message>
</context>
</TS>
