<?xml version="1.0" encoding="utf-8"?>
<!DOCTYPE TS>
<TS version="2.1" language="fr" sourcelanguage="en">
<context>
    <name>AnalysisController</name>
    <message>
        <source>Analysing</source>
        <translation>Analyse</translation>
    </message>
    <message>
        <source>Analysis cancelled</source>
        <translation>Analyse annulée</translation>
    </message>
    <message>
        <source>Analize done !</source>
        <translation>Analyse terminée&#xa0;!</translation>
    </message>
</context>
<context>
    <name>BatchController</name>
    <message>
        <source>Renaming</source>
        <translation>Renommage</translation>
    </message>
    <message>
        <source>Replacing</source>
        <translation>Remplacer</translation>
    </message>
    <message>
        <source>Undoing</source>
        <translation>Annulation</translation>
    </message>
    <message>
        <source>Nothing was undone.</source>
        <translation>Rien n’a été annulé.</translation>
    </message>
    <message>
        <source>Recovering</source>
        <translation>Récupération</translation>
    </message>
    <message>
        <source>Information</source>
        <translation>Information</translation>
    </message>
    <message>
        <source>Warning</source>
        <translation>Avertissement</translation>
    </message>
    <message>
        <source>Critical</source>
        <translation>Erreur critique</translation>
    </message>
    <message numerus="yes">
        <source>Cancelled: %1 of %Ln files renamed.</source>
        <translation>
            <numerusform>Annulé&#xa0;: %1 sur %Ln fichier renommé.</numerusform>
            <numerusform>Annulé&#xa0;: %1 sur %Ln fichiers renommés.</numerusform>
        </translation>
    </message>
    <message numerus="yes">
        <source>Replace done: %1 of %Ln files renamed.</source>
        <translation>
            <numerusform>Remplacement terminé&#xa0;: %1 sur %Ln fichier renommé.</numerusform>
            <numerusform>Remplacement terminé&#xa0;: %1 sur %Ln fichiers renommés.</numerusform>
        </translation>
    </message>
    <message numerus="yes">
        <source>Rename done: %1 of %Ln files renamed.</source>
        <translation>
            <numerusform>Renommage terminé&#xa0;: %1 sur %Ln fichier renommé.</numerusform>
            <numerusform>Renommage terminé&#xa0;: %1 sur %Ln fichiers renommés.</numerusform>
        </translation>
    </message>
    <message numerus="yes">
        <source>Undo done: %1 of %Ln files back under their old names.</source>
        <translation>
            <numerusform>Annulation terminée&#xa0;: %1 sur %Ln fichier a retrouvé son ancien nom.</numerusform>
            <numerusform>Annulation terminée&#xa0;: %1 sur %Ln fichiers ont retrouvé leur ancien nom.</numerusform>
        </translation>
    </message>
</context>
<context>
    <name>BatchExecutor</name>
    <message>
        <source>given twice</source>
        <translation>donné deux fois</translation>
    </message>
    <message>
        <source>&quot;%1&quot; is the new name of another file of this request too</source>
        <translation>« %1 » est aussi le nouveau nom d’un autre fichier de cette demande</translation>
    </message>
    <message>
        <source>left under the temporary name &quot;%1&quot;: neither its old nor its new name could be given back</source>
        <translation>laissé sous le nom temporaire « %1 » : ni son ancien ni son nouveau nom n’ont pu lui être rendus</translation>
    </message>
    <message>
        <source>it no longer exists</source>
        <translation>il n’existe plus</translation>
    </message>
    <message>
        <source>a file named &quot;%1&quot; already exists</source>
        <translation>un fichier nommé « %1 » existe déjà</translation>
    </message>
    <message>
        <source>the file it replaced couldn&apos;t be deleted : it is kept as &quot;%1&quot;</source>
        <translation>le fichier remplacé n’a pas pu être supprimé : il est conservé sous « %1 »</translation>
    </message>
    <message>
        <source>&quot;%1&quot; couldn&apos;t be set aside : %2</source>
        <translation>« %1 » n’a pas pu être mis de côté : %2</translation>
    </message>
    <message>
        <source>%1. The existing &quot;%2&quot; was left as it was.</source>
        <translation>%1. Le fichier « %2 » existant a été laissé tel quel.</translation>
    </message>
    <message>
        <source>%1. The existing &quot;%2&quot; couldn&apos;t be put back : it is kept as &quot;%3&quot;.</source>
        <translation>%1. Le fichier « %2 » existant n’a pas pu être remis en place : il est conservé sous « %3 ».</translation>
    </message>
    <message>
        <source>no free temporary name was found</source>
        <translation>aucun nom temporaire libre n’a été trouvé</translation>
    </message>
    <message>
        <source>it waited for &quot;%1&quot; to give up its name, which failed</source>
        <translation>il attendait que « %1 » libère son nom, ce qui a échoué</translation>
    </message>
    <message>
        <source>a file named &quot;%1&quot; already exists and could not be moved to the trash (%2)</source>
        <translation>un fichier nommé « %1 » existe déjà et n’a pas pu être mis à la corbeille (%2)</translation>
    </message>
    <message>
        <source>%1. The existing &quot;%2&quot; couldn&apos;t be put back : it is in the trash.</source>
        <translation>%1. Le fichier « %2 » existant n’a pas pu être remis en place : il est dans la corbeille.</translation>
    </message>
</context>
<context>
    <name>BatchNotes</name>
    <message>
        <source>stays: its suffix is not selected</source>
        <translation>reste&#xa0;: son extension n’est pas choisie</translation>
    </message>
    <message>
        <source>stays: nothing to replace in its name</source>
        <translation>reste&#xa0;: rien à remplacer dans son nom</translation>
    </message>
    <message>
        <source>stays: &quot;%1&quot; is given the same new name</source>
        <translation>reste&#xa0;: «&#xa0;%1&#xa0;» reçoit le même nouveau nom</translation>
    </message>
    <message>
        <source>stays: another file gets the same new name</source>
        <translation>reste&#xa0;: un autre fichier reçoit le même nouveau nom</translation>
    </message>
    <message>
        <source>stays: &quot;%1&quot; is taken by a file that keeps its name</source>
        <translation>reste&#xa0;: «&#xa0;%1&#xa0;» est pris par un fichier qui garde son nom</translation>
    </message>
    <message>
        <source>stays: &quot;%1&quot; is taken by a file outside the request</source>
        <translation>reste&#xa0;: «&#xa0;%1&#xa0;» est pris par un fichier hors de la demande</translation>
    </message>
    <message>
        <source>replaces the file of that name, which goes to the trash</source>
        <translation>remplace le fichier de ce nom, qui part à la corbeille</translation>
    </message>
    <message>
        <source>replaces the file of that name, which is deleted for good (this volume has no trash)</source>
        <translation>remplace le fichier de ce nom, qui est supprimé définitivement (ce volume n’a pas de corbeille)</translation>
    </message>
    <message>
        <source>%1 (to &quot;%2&quot;): %3</source>
        <translation>%1 (en «&#xa0;%2&#xa0;»)&#xa0;: %3</translation>
    </message>
    <message>
        <source>&quot;%1&quot; couldn&apos;t be renamed because &quot;%2&quot; already exists !</source>
        <translation>«&#xa0;%1&#xa0;» n’a pas pu être renommé car «&#xa0;%2&#xa0;» existe déjà&#xa0;!</translation>
    </message>
    <message>
        <source>&quot;%1&quot; was renamed to &quot;%2&quot;, but %3.</source>
        <translation>«&#xa0;%1&#xa0;» a été renommé en «&#xa0;%2&#xa0;», mais %3.</translation>
    </message>
    <message>
        <source>&quot;%1&quot; couldn&apos;t be renamed to &quot;%2&quot; : %3</source>
        <translation>«&#xa0;%1&#xa0;» n’a pas pu être renommé en «&#xa0;%2&#xa0;»&#xa0;: %3</translation>
    </message>
</context>
<context>
    <name>BatchRun</name>
    <message>
        <source>Nothing was renamed: the batch could not be written to the journal (%1).</source>
        <translation>Rien n’a été renommé : le lot n’a pas pu être écrit dans le journal (%1).</translation>
    </message>
    <message>
        <source>the file it replaced stays in the trash (%1)</source>
        <translation>le fichier remplacé reste dans la corbeille (%1)</translation>
    </message>
    <message>
        <source>The end of the batch could not be written to the journal (%1).</source>
        <translation>La fin du lot n’a pas pu être écrite dans le journal (%1).</translation>
    </message>
</context>
<context>
    <name>BatchWorker</name>
    <message>
        <source>and %1 more.</source>
        <translation>et %1 de plus.</translation>
    </message>
    <message numerus="yes">
        <source>%Ln files could not be renamed:</source>
        <translation>
            <numerusform>%Ln fichier n&apos;a pas pu être renommé&#xa0;:</numerusform>
            <numerusform>%Ln fichiers n&apos;ont pas pu être renommés&#xa0;:</numerusform>
        </translation>
    </message>
</context>
<context>
    <name>Extensions</name>
    <message>
        <source>Dialog</source>
        <translation>Dialogue</translation>
    </message>
</context>
<context>
    <name>History</name>
    <message>
        <source>Rename</source>
        <translation>Renommage</translation>
    </message>
    <message>
        <source>Replace</source>
        <translation>Remplacement</translation>
    </message>
    <message>
        <source>Rules</source>
        <translation>Règles</translation>
    </message>
    <message>
        <source>Undo of the batch of %1</source>
        <translation>Annulation du lot du %1</translation>
    </message>
    <message>
        <source>Recovery of the batch of %1</source>
        <translation>Récupération du lot du %1</translation>
    </message>
    <message>
        <source>undone</source>
        <translation>annulé</translation>
    </message>
    <message>
        <source>cut off</source>
        <translation>interrompu</translation>
    </message>
    <message>
        <source>cancelled</source>
        <translation>arrêté</translation>
    </message>
    <message>
        <source>done</source>
        <translation>terminé</translation>
    </message>
    <message>
        <source>%1 of %2</source>
        <translation>%1 sur %2</translation>
    </message>
    <message>
        <source>Batch %1</source>
        <translation>Lot %1</translation>
    </message>
    <message>
        <source>Undo</source>
        <translation>Annuler</translation>
    </message>
    <message>
        <source>History</source>
        <translation>Historique</translation>
    </message>
    <message>
        <source>When</source>
        <translation>Quand</translation>
    </message>
    <message>
        <source>What</source>
        <translation>Quoi</translation>
    </message>
    <message>
        <source>Folders</source>
        <translation>Dossiers</translation>
    </message>
    <message>
        <source>Files</source>
        <translation>Fichiers</translation>
    </message>
    <message>
        <source>State</source>
        <translation>État</translation>
    </message>
    <message numerus="yes">
        <source>%Ln folders in all</source>
        <translation>
            <numerusform>%Ln dossier en tout</numerusform>
            <numerusform>%Ln dossiers en tout</numerusform>
        </translation>
    </message>
    <message>
        <source>%1: %2</source>
        <extracomment>A batch&apos;s kind, then what its rules did.</extracomment>
        <translation>%1&#xa0;: %2</translation>
    </message>
</context>
<context>
    <name>InputChooser</name>
    <message>
        <source>Add files</source>
        <translation>Ajouter des fichiers</translation>
    </message>
    <message>
        <source>Add folder</source>
        <translation>Ajouter un dossier</translation>
    </message>
</context>
<context>
    <name>Journal</name>
    <message>
        <source>The journal file &quot;%1&quot; was skipped: %2</source>
        <translation>Le fichier de journal « %1 » a été ignoré : %2</translation>
    </message>
    <message>
        <source>The journal folder &quot;%1&quot; cannot be created.</source>
        <translation>Le dossier du journal « %1 » ne peut pas être créé.</translation>
    </message>
    <message>
        <source>The journal cannot be locked.</source>
        <translation>Le journal ne peut pas être verrouillé.</translation>
    </message>
    <message>
        <source>Renaming was cut off before its end. Every file of the interrupted batch now bears its old or its new name, and the batch can be undone.</source>
        <translation>Le renommage a été interrompu avant sa fin. Chaque fichier du lot interrompu porte maintenant son ancien ou son nouveau nom, et le lot peut être annulé.</translation>
    </message>
    <message>
        <source>Files given their name back: %1.</source>
        <translation>Fichiers qui ont retrouvé leur nom : %1.</translation>
    </message>
    <message>
        <source>Left as they are:</source>
        <translation>Laissés tels quels :</translation>
    </message>
    <message>
        <source>it is no longer there</source>
        <translation>il n’est plus là</translation>
    </message>
    <message>
        <source>no space left on the disk that holds the journal</source>
        <translation>plus de place sur le disque qui contient le journal</translation>
    </message>
    <message>
        <source>its entry in the journal cannot be used</source>
        <translation>son entrée dans le journal est inutilisable</translation>
    </message>
</context>
<context>
    <name>JournalRecord</name>
    <message>
        <source>not a batch record of this program</source>
        <translation>pas un enregistrement de lot de ce programme</translation>
    </message>
    <message>
        <source>a folder of the record is not a clean absolute path</source>
        <translation>un dossier de l’enregistrement n’est pas un chemin absolu propre</translation>
    </message>
    <message>
        <source>its end record cannot be read</source>
        <translation>sa fin d’enregistrement est illisible</translation>
    </message>
</context>
<context>
    <name>MainWindow</name>
    <message>
        <source>MainWindow</source>
        <translation>Fenêtre principale</translation>
    </message>
    <message>
        <source>Output format :</source>
        <translation>Format de sortie&#xa0;:</translation>
    </message>
    <message>
        <source>String that will be used for renaming files...</source>
        <translation>Texte utilisé pour renommer les fichiers...</translation>
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
        <translation>Fichiers à renommer&#xa0;:</translation>
    </message>
    <message>
        <source>Rename all files...</source>
        <translation>Renommer tous les fichiers...</translation>
    </message>
    <message>
        <source>Rename selected files by extensions...</source>
        <translation>Renommer seulement les fichiers des extensions choisies...</translation>
    </message>
    <message>
        <source>Rename group :</source>
        <translation>Regroupement&#xa0;:</translation>
    </message>
    <message>
        <source>Files informations :</source>
        <translation>Informations sur les fichiers&#xa0;:</translation>
    </message>
    <message>
        <source>Number of files :</source>
        <translation>Nombre de fichiers&#xa0;:</translation>
    </message>
    <message>
        <source>Number of suffix :</source>
        <translation>Nombre d&apos;extensions&#xa0;:</translation>
    </message>
    <message>
        <source>Rename by (only for directories) :</source>
        <translation>Renommer selon (dossiers uniquement)&#xa0;:</translation>
    </message>
    <message>
        <source>Replace :</source>
        <translation>Remplacer&#xa0;:</translation>
    </message>
    <message>
        <source>By :</source>
        <translation>Par&#xa0;:</translation>
    </message>
    <message>
        <source>An update is available. You can download it using Options &gt; Check for update.</source>
        <translation>Une mise à jour est disponible. Vous pouvez la télécharger par Options &gt; Rechercher des mises à jour.</translation>
    </message>
    <message>
        <source>Parameters</source>
        <translation>Paramètres</translation>
    </message>
    <message>
        <source> done !</source>
        <extracomment>Follows a status word such as &quot;Renaming&quot; in the status bar.</extracomment>
        <translation> terminé&#xa0;!</translation>
    </message>
    <message>
        <source> - RegExp Documentation</source>
        <translation> - Documentation RegExp</translation>
    </message>
    <message>
        <source> - Choose extensions</source>
        <translation> - Choisir les extensions</translation>
    </message>
    <message>
        <source> - Update</source>
        <translation> - Mise à jour</translation>
    </message>
    <message>
        <source>Warning</source>
        <translation>Avertissement</translation>
    </message>
    <message>
        <source>You have selected a non user directory.

Beware that renamed files system will results to a non working system.

Make sur that you only manipulate your own known directory...</source>
        <translation>Vous avez choisi un dossier situé hors de votre dossier personnel.

Attention&#xa0;: renommer des fichiers système peut rendre le système inutilisable.

Assurez-vous de ne manipuler que vos propres dossiers, que vous connaissez...</translation>
    </message>
    <message>
        <source>Warning : Please choose a directory/file first...</source>
        <translation>Avertissement&#xa0;: veuillez d&apos;abord choisir un dossier ou un fichier...</translation>
    </message>
    <message>
        <source>&amp;Input</source>
        <translation>&amp;Entrée</translation>
    </message>
    <message>
        <source>&amp;Scan recursive </source>
        <translation>Parcourir les &amp;sous-dossiers </translation>
    </message>
    <message>
        <source>&amp;Alternate row color</source>
        <translation>&amp;Alterner la couleur des lignes</translation>
    </message>
    <message>
        <source>Reset &amp;list</source>
        <translation>&amp;Vider la liste</translation>
    </message>
    <message>
        <source>Re&amp;name</source>
        <translation>&amp;Renommer</translation>
    </message>
    <message>
        <source>Na&amp;me (~000)</source>
        <translation>No&amp;uveau nom (~000)</translation>
    </message>
    <message>
        <source>&amp;Append (~000_filename)</source>
        <translation>De&amp;vant le nom (~000_fichier)</translation>
    </message>
    <message>
        <source>Prepen&amp;d (filename_~000)</source>
        <translation>Après le no&amp;m (fichier_~000)</translation>
    </message>
    <message>
        <source>Re&amp;verse format with number</source>
        <translation>&amp;Inverser le texte et le numéro</translation>
    </message>
    <message>
        <source>Rename all files &amp;together</source>
        <translation>Renommer tous les fichiers ensem&amp;ble</translation>
    </message>
    <message>
        <source>Rename files &amp;by </source>
        <translation>Renommer les fi&amp;chiers par </translation>
    </message>
    <message>
        <source>e&amp;xtensions</source>
        <translation>e&amp;xtension</translation>
    </message>
    <message>
        <source>Rename files non re&amp;garding suffixes</source>
        <translation>Renommer les fichiers sans &amp;tenir compte de l&apos;extension</translation>
    </message>
    <message>
        <source>Rename files by suffixes individuall&amp;y</source>
        <translation>Renommer &amp;les fichiers extension par extension</translation>
    </message>
    <message>
        <source>Rever&amp;se order</source>
        <translation>Or&amp;dre inverse</translation>
    </message>
    <message>
        <source>&amp;Rename</source>
        <translation>Re&amp;nommer</translation>
    </message>
    <message>
        <source>Re&amp;place</source>
        <translation>Rem&amp;placer</translation>
    </message>
    <message>
        <source>&amp;RegExp </source>
        <translation>Re&amp;gExp </translation>
    </message>
    <message>
        <source>&amp;Documentation</source>
        <translation>&amp;Documentation</translation>
    </message>
    <message>
        <source>&amp;Suffix </source>
        <translation>&amp;Suffixe </translation>
    </message>
    <message>
        <source>Delete if e&amp;xists </source>
        <translation>Supprimer si e&amp;xistant </translation>
    </message>
    <message>
        <source>Refresh list vie&amp;w </source>
        <translation>Actualiser la &amp;liste </translation>
    </message>
    <message>
        <source>Repl&amp;ace</source>
        <translation>Rempl&amp;acer</translation>
    </message>
    <message>
        <source>&amp;File</source>
        <translation>&amp;Fichier</translation>
    </message>
    <message>
        <source>&amp;Options</source>
        <translation>&amp;Options</translation>
    </message>
    <message>
        <source>Add &amp;files…</source>
        <translation>Ajouter des &amp;fichiers…</translation>
    </message>
    <message>
        <source>Add f&amp;older…</source>
        <translation>Ajouter un &amp;dossier…</translation>
    </message>
    <message>
        <source>&amp;Quit</source>
        <translation>&amp;Quitter</translation>
    </message>
    <message>
        <source>Check for &amp;updates</source>
        <translation>Rechercher des &amp;mises à jour</translation>
    </message>
    <message>
        <source>Drop files and folders here, or use File → Add folder…</source>
        <translation>Déposez ici des fichiers et des dossiers, ou utilisez Fichier → Ajouter un dossier…</translation>
    </message>
    <message>
        <source>Shows every new name before anything is renamed</source>
        <translation>Montre chaque nouveau nom avant que rien ne soit renommé</translation>
    </message>
    <message>
        <source>Previe&amp;w…</source>
        <translation>&amp;Aperçu…</translation>
    </message>
    <message>
        <source>Pre&amp;view…</source>
        <translation>Aperç&amp;u…</translation>
    </message>
    <message>
        <source>&amp;Edit</source>
        <translation>&amp;Édition</translation>
    </message>
    <message>
        <source>Undo</source>
        <translation>Annuler</translation>
    </message>
    <message>
        <source>Lists the files of every folder beneath a dropped folder too</source>
        <translation>Liste aussi les fichiers de chaque dossier sous un dossier déposé</translation>
    </message>
    <message>
        <source>R&amp;ules</source>
        <translation>Rè&amp;gles</translation>
    </message>
    <message>
        <source>Choosing a preset puts its rules in place of these</source>
        <translation>Choisir un préréglage remplace ces règles par les siennes</translation>
    </message>
    <message>
        <source>Presets</source>
        <translation>Préréglages</translation>
    </message>
    <message>
        <source>Sa&amp;ve preset…</source>
        <translation>&amp;Enregistrer…</translation>
    </message>
    <message>
        <source>De&amp;lete preset</source>
        <translation>&amp;Supprimer</translation>
    </message>
    <message>
        <source>The rules, applied from top to bottom; untick one to leave it out</source>
        <translation>Les règles, appliquées de haut en bas&#xa0;; décochez-en une pour l&apos;écarter</translation>
    </message>
    <message>
        <source>&amp;Add rule</source>
        <translation>&amp;Ajouter une règle</translation>
    </message>
    <message>
        <source>Re&amp;move</source>
        <translation>Reti&amp;rer</translation>
    </message>
    <message>
        <source>Move the rule up</source>
        <translation>Monter la règle</translation>
    </message>
    <message>
        <source>Move the rule down</source>
        <translation>Descendre la règle</translation>
    </message>
    <message>
        <source>Or&amp;der:</source>
        <translation>Or&amp;dre&#xa0;:</translation>
    </message>
    <message>
        <source>The order in which the files of a folder are counted; natural order puts img2 before img10</source>
        <translation>L&apos;ordre dans lequel les fichiers d&apos;un dossier sont comptés&#xa0;; l&apos;ordre naturel met img2 avant img10</translation>
    </message>
    <message>
        <source>Stops reading the files&apos; dates and tags; what was read is kept</source>
        <translation>Arrête de lire les dates et les étiquettes des fichiers&#xa0;; ce qui a été lu est gardé</translation>
    </message>
    <message>
        <source>Stop</source>
        <translation>Arrêter</translation>
    </message>
    <message>
        <source>&amp;History…</source>
        <translation>&amp;Historique…</translation>
    </message>
    <message>
        <source>&amp;Help</source>
        <translation>&amp;Aide</translation>
    </message>
    <message>
        <source>&amp;Regular expressions</source>
        <translation>Expressions &amp;régulières</translation>
    </message>
    <message>
        <source>&amp;About Tavrelo</source>
        <translation>À &amp;propos de Tavrelo</translation>
    </message>
    <message>
        <source>About &amp;Qt</source>
        <translation>À propos de &amp;Qt</translation>
    </message>
    <message>
        <source>About Tavrelo</source>
        <translation>À propos de Tavrelo</translation>
    </message>
    <message>
        <source>&lt;h3&gt;Tavrelo %1&lt;/h3&gt;&lt;p&gt;Renames files in batches, and takes back any batch it made.&lt;/p&gt;&lt;p&gt;Free software under the GNU General Public License, version 3 or later.&lt;/p&gt;&lt;p&gt;Its journal of batches is kept in %2&lt;/p&gt;</source>
        <translation>&lt;h3&gt;Tavrelo %1&lt;/h3&gt;&lt;p&gt;Renomme des fichiers par lots, et peut reprendre chacun des lots qu&apos;il a faits.&lt;/p&gt;&lt;p&gt;Logiciel libre sous la licence publique générale GNU, version 3 ou ultérieure.&lt;/p&gt;&lt;p&gt;Son journal des lots est conservé dans %2&lt;/p&gt;</translation>
    </message>
</context>
<context>
    <name>PlanReview</name>
    <message>
        <source> - Preview</source>
        <translation> - Aperçu</translation>
    </message>
    <message>
        <source>Confirmation</source>
        <translation>Confirmation</translation>
    </message>
    <message>
        <source>Yes</source>
        <translation>Oui</translation>
    </message>
    <message>
        <source>No</source>
        <translation>Non</translation>
    </message>
    <message numerus="yes">
        <source>%Ln files will be renamed.</source>
        <translation>
            <numerusform>%Ln fichier sera renommé.</numerusform>
            <numerusform>%Ln fichiers seront renommés.</numerusform>
        </translation>
    </message>
    <message numerus="yes">
        <source>%Ln files in the way will be deleted for good: their volume has no trash.

Continue ?</source>
        <translation>
            <numerusform>%Ln fichier gênant sera supprimé définitivement&#xa0;: son volume n’a pas de corbeille.

Continuer&#xa0;?</numerusform>
            <numerusform>%Ln fichiers gênants seront supprimés définitivement&#xa0;: leur volume n’a pas de corbeille.

Continuer&#xa0;?</numerusform>
        </translation>
    </message>
</context>
<context>
    <name>Presets</name>
    <message>
        <source>there is no preset &quot;%1&quot;</source>
        <translation>il n&apos;y a pas de préréglage «&#xa0;%1&#xa0;»</translation>
    </message>
    <message>
        <source>the preset &quot;%1&quot; cannot be read: %2</source>
        <translation>le préréglage «&#xa0;%1&#xa0;» ne peut pas être lu&#xa0;: %2</translation>
    </message>
    <message>
        <source>the preset &quot;%1&quot; is not a rule stack: %2</source>
        <translation>le préréglage «&#xa0;%1&#xa0;» n&apos;est pas une suite de règles&#xa0;: %2</translation>
    </message>
    <message>
        <source>&quot;%1&quot; cannot be the name of a preset</source>
        <translation>«&#xa0;%1&#xa0;» ne peut pas être le nom d&apos;un préréglage</translation>
    </message>
    <message>
        <source>the folder %1 cannot be made</source>
        <translation>le dossier %1 ne peut pas être créé</translation>
    </message>
    <message>
        <source>the preset &quot;%1&quot; cannot be saved: %2</source>
        <translation>le préréglage «&#xa0;%1&#xa0;» ne peut pas être enregistré&#xa0;: %2</translation>
    </message>
    <message>
        <source>the preset &quot;%1&quot; cannot be deleted: %2</source>
        <translation>le préréglage «&#xa0;%1&#xa0;» ne peut pas être supprimé&#xa0;: %2</translation>
    </message>
</context>
<context>
    <name>Preview</name>
    <message>
        <source>Looking at the files…</source>
        <translation>Examen des fichiers…</translation>
    </message>
    <message>
        <source>Rename</source>
        <translation>Renommer</translation>
    </message>
    <message>
        <source>Files to rename: %1. Files that keep their name: %2.</source>
        <translation>Fichiers à renommer&#xa0;: %1. Fichiers qui gardent leur nom&#xa0;: %2.</translation>
    </message>
    <message>
        <source>Files were renamed since: preview again to rename from here.</source>
        <translation>Des fichiers ont été renommés depuis&#xa0;: refaites l’aperçu pour renommer d’ici.</translation>
    </message>
</context>
<context>
    <name>PreviewModel</name>
    <message>
        <source>Folder</source>
        <translation>Dossier</translation>
    </message>
    <message>
        <source>Old name</source>
        <translation>Ancien nom</translation>
    </message>
    <message>
        <source>New name</source>
        <translation>Nouveau nom</translation>
    </message>
    <message>
        <source>Note</source>
        <translation>Remarque</translation>
    </message>
</context>
<context>
    <name>ProgressStrip</name>
    <message>
        <source>&amp;Cancel</source>
        <translation>&amp;Annuler</translation>
    </message>
    <message>
        <source>%1 of %2</source>
        <translation>%1 sur %2</translation>
    </message>
</context>
<context>
    <name>RecoveryPlan</name>
    <message>
        <source>%1: neither its old nor its new name is free</source>
        <translation>%1 : ni son ancien ni son nouveau nom n’est libre</translation>
    </message>
    <message>
        <source>%1: its name &quot;%2&quot; is taken</source>
        <translation>%1 : son nom « %2 » est pris</translation>
    </message>
    <message>
        <source>%1: the file it replaced stays in the trash, as another file bears its name</source>
        <translation>%1 : le fichier remplacé reste dans la corbeille, car un autre fichier porte son nom</translation>
    </message>
</context>
<context>
    <name>Regexp</name>
    <message>
        <source>Form</source>
        <translation>Formulaire</translation>
    </message>
    <message>
        <source>Characters and Abbreviations for Sets of Characters</source>
        <translation>Caractères et abréviations pour des ensembles de caractères</translation>
    </message>
    <message>
        <source>c</source>
        <translation>c</translation>
    </message>
    <message>
        <source>Any ordinary character stands for itself, unless it is one of the special characters described on these pages. The character c matches the letter c.</source>
        <translation>Tout caractère ordinaire se représente lui-même, sauf s&apos;il fait partie des caractères spéciaux décrits dans ces pages. Le caractère c correspond à la lettre c.</translation>
    </message>
    <message>
        <source>\c</source>
        <translation>\c</translation>
    </message>
    <message>
        <source>A backslash in front of a special character makes it an ordinary one that stands for itself. For example \^ matches a caret, even at the start of the pattern.</source>
        <translation>Une barre oblique inverse devant un caractère spécial en fait un caractère ordinaire qui se représente lui-même. Par exemple, \^ correspond à un accent circonflexe, même au début du motif.</translation>
    </message>
    <message>
        <source>\a</source>
        <translation>\a</translation>
    </message>
    <message>
        <source>Matches the bell character (BEL, 0x07).</source>
        <translation>Correspond au caractère de sonnerie (BEL, 0x07).</translation>
    </message>
    <message>
        <source>\f</source>
        <translation>\f</translation>
    </message>
    <message>
        <source>Matches the form feed character (FF, 0x0C).</source>
        <translation>Correspond au caractère de saut de page (FF, 0x0C).</translation>
    </message>
    <message>
        <source>\n</source>
        <translation>\n</translation>
    </message>
    <message>
        <source>Matches the line feed character (LF, 0x0A), the Unix newline.</source>
        <translation>Correspond au caractère de saut de ligne (LF, 0x0A), la fin de ligne sous Unix.</translation>
    </message>
    <message>
        <source>\r</source>
        <translation>\r</translation>
    </message>
    <message>
        <source>Matches the carriage return character (CR, 0x0D).</source>
        <translation>Correspond au caractère de retour chariot (CR, 0x0D).</translation>
    </message>
    <message>
        <source>\t</source>
        <translation>\t</translation>
    </message>
    <message>
        <source>Matches the horizontal tab character (HT, 0x09).</source>
        <translation>Correspond au caractère de tabulation horizontale (HT, 0x09).</translation>
    </message>
    <message>
        <source>\xhhhh</source>
        <translation>\xhhhh</translation>
    </message>
    <message>
        <source>Matches the Unicode character whose code is the four-digit hexadecimal number hhhh (from 0x0000 to 0xFFFF).</source>
        <translation>Correspond au caractère Unicode dont le code est le nombre hexadécimal à quatre chiffres hhhh (de 0x0000 à 0xFFFF).</translation>
    </message>
    <message>
        <source>&lt;strong&gt;\0ooo&lt;/strong&gt;&lt;br /&gt;
(i.e., zero ooo)</source>
        <translation>&lt;strong&gt;\0ooo&lt;/strong&gt;&lt;br /&gt;
(c.-à-d. zéro ooo)</translation>
    </message>
    <message>
        <source>Matches the Latin-1 character whose code is the octal number ooo, which may not exceed octal 377 (decimal 255).</source>
        <translation>Correspond au caractère Latin-1 dont le code est le nombre octal ooo, qui ne peut dépasser 377 en octal (255 en décimal).</translation>
    </message>
    <message>
        <source>&lt;strong&gt;.&lt;/strong&gt; (dot)</source>
        <translation>&lt;strong&gt;.&lt;/strong&gt; (point)</translation>
    </message>
    <message>
        <source>Matches any single character, the newline included.</source>
        <translation>Correspond à n&apos;importe quel caractère, fin de ligne comprise.</translation>
    </message>
    <message>
        <source>\d</source>
        <translation>\d</translation>
    </message>
    <message>
        <source>Matches a digit.</source>
        <translation>Correspond à un chiffre.</translation>
    </message>
    <message>
        <source>\D</source>
        <translation>\D</translation>
    </message>
    <message>
        <source>Matches any character that is not a digit.</source>
        <translation>Correspond à tout caractère qui n&apos;est pas un chiffre.</translation>
    </message>
    <message>
        <source>\s</source>
        <translation>\s</translation>
    </message>
    <message>
        <source>Matches a whitespace character, such as a space, a tab or a line feed.</source>
        <translation>Correspond à un caractère d&apos;espacement, comme une espace, une tabulation ou un saut de ligne.</translation>
    </message>
    <message>
        <source>\S</source>
        <translation>\S</translation>
    </message>
    <message>
        <source>Matches any character that is not whitespace.</source>
        <translation>Correspond à tout caractère qui n&apos;est pas un espacement.</translation>
    </message>
    <message>
        <source>\w</source>
        <translation>\w</translation>
    </message>
    <message>
        <source>Matches a word character: a letter, a digit or the underscore.</source>
        <translation>Correspond à un caractère de mot&#xa0;: une lettre, un chiffre ou le trait de soulignement.</translation>
    </message>
    <message>
        <source>\W</source>
        <translation>\W</translation>
    </message>
    <message>
        <source>Matches any character that is not a word character.</source>
        <translation>Correspond à tout caractère qui n&apos;est pas un caractère de mot.</translation>
    </message>
    <message>
        <source>Back-reference: matches again the text that the n-th parenthesised group captured. \1 repeats the first group, \2 the second, and so on.</source>
        <translation>Référence arrière&#xa0;: correspond de nouveau au texte capturé par le n-ième groupe entre parenthèses. \1 répète le premier groupe, \2 le deuxième, et ainsi de suite.</translation>
    </message>
    <message>
        <source>Sets of Characters</source>
        <translation>Ensembles de caractères</translation>
    </message>
    <message>
        <source>Square brackets match any one of the characters they enclose. The abbreviations of the first page, such as \d or \s, may be used inside them. Apart from those abbreviations and the two entries below, characters inside brackets lose their special meaning.</source>
        <translation>Des crochets correspondent à un seul des caractères qu&apos;ils entourent. Les abréviations de la première page, comme \d ou \s, peuvent y figurer. En dehors de ces abréviations et des deux entrées ci-dessous, les caractères entre crochets perdent leur signification spéciale.</translation>
    </message>
    <message>
        <source>^</source>
        <translation>^</translation>
    </message>
    <message>
        <source>As the first character inside the brackets, the caret turns the set around: it matches any character that is not listed. [^abc] matches any character except a, b and c.</source>
        <translation>En premier caractère entre les crochets, l&apos;accent circonflexe inverse l&apos;ensemble&#xa0;: il correspond alors à tout caractère qui n&apos;y figure pas. [^abc] correspond à tout caractère sauf a, b et c.</translation>
    </message>
    <message>
        <source>-</source>
        <translation>-</translation>
    </message>
    <message>
        <source>Between two characters, the dash stands for the whole range from the first to the second. [W-Z] matches W, X, Y or Z.</source>
        <translation>Entre deux caractères, le tiret désigne toute la plage du premier au second. [W-Z] correspond à W, X, Y ou Z.</translation>
    </message>
    <message>
        <source>Quantifiers</source>
        <translation>Quantificateurs</translation>
    </message>
    <message>
        <source>Without a quantifier, an expression must occur exactly once. Below, E stands for an expression: a single character, an abbreviation such as \d, a set of characters in square brackets, or an expression in parentheses.</source>
        <translation>Sans quantificateur, une expression doit apparaître exactement une fois. Ci-dessous, E désigne une expression&#xa0;: un caractère seul, une abréviation comme \d, un ensemble de caractères entre crochets ou une expression entre parenthèses.</translation>
    </message>
    <message>
        <source>E?</source>
        <translation>E?</translation>
    </message>
    <message>
        <source>Zero or one occurrence of E: E is optional. The same as E{0,1}. For example, dents? matches both &quot;dent&quot; and &quot;dents&quot;.</source>
        <translation>Zéro ou une occurrence de E&#xa0;: E est facultatif. Équivaut à E{0,1}. Par exemple, chats? correspond à la fois à «&#xa0;chat&#xa0;» et à «&#xa0;chats&#xa0;».</translation>
    </message>
    <message>
        <source>E+</source>
        <translation>E+</translation>
    </message>
    <message>
        <source>One or more occurrences of E. The same as E{1,}. For example, 0+ matches &quot;0&quot;, &quot;00&quot;, &quot;000&quot; and so on.</source>
        <translation>Une ou plusieurs occurrences de E. Équivaut à E{1,}. Par exemple, 0+ correspond à «&#xa0;0&#xa0;», «&#xa0;00&#xa0;», «&#xa0;000&#xa0;» et ainsi de suite.</translation>
    </message>
    <message>
        <source>E*</source>
        <translation>E*</translation>
    </message>
    <message>
        <source>Zero or more occurrences of E. The same as E{0,}. Take care: since E* also matches nothing at all, it often matches where you did not expect it. Where at least one occurrence is needed, use E+ instead.</source>
        <translation>Zéro, une ou plusieurs occurrences de E. Équivaut à E{0,}. Attention&#xa0;: comme E* correspond aussi à une chaîne vide, il trouve souvent des correspondances là où on ne les attend pas. Lorsqu&apos;il faut au moins une occurrence, utilisez plutôt E+.</translation>
    </message>
    <message>
        <source>E{n}</source>
        <translation>E{n}</translation>
    </message>
    <message>
        <source>Exactly n occurrences of E. The same as E{n,n}. For example, x{3} matches &quot;xxx&quot; and nothing shorter.</source>
        <translation>Exactement n occurrences de E. Équivaut à E{n,n}. Par exemple, x{3} correspond à «&#xa0;xxx&#xa0;» et à rien de plus court.</translation>
    </message>
    <message>
        <source>E{n,}</source>
        <translation>E{n,}</translation>
    </message>
    <message>
        <source>At least n occurrences of E.</source>
        <translation>Au moins n occurrences de E.</translation>
    </message>
    <message>
        <source>E{,m}</source>
        <translation>E{,m}</translation>
    </message>
    <message>
        <source>At most m occurrences of E. The same as E{0,m}.</source>
        <translation>Au plus m occurrences de E. Équivaut à E{0,m}.</translation>
    </message>
    <message>
        <source>E{n,m}</source>
        <translation>E{n,m}</translation>
    </message>
    <message>
        <source>At least n and at most m occurrences of E.</source>
        <translation>Au moins n et au plus m occurrences de E.</translation>
    </message>
    <message>
        <source>Assertions</source>
        <translation>Assertions</translation>
    </message>
    <message>
        <source>Assertions state a condition about the current position in the text. They match no character themselves. Below, E stands for any expression.</source>
        <translation>Les assertions posent une condition sur la position courante dans le texte. Elles ne correspondent elles-mêmes à aucun caractère. Ci-dessous, E désigne une expression quelconque.</translation>
    </message>
    <message>
        <source>Matches at the start of the string. To match a caret itself, escape it as \^. For example, ^#include matches &quot;#include&quot; only at the very beginning.</source>
        <translation>Correspond au début de la chaîne. Pour trouver l&apos;accent circonflexe lui-même, échappez-le ainsi&#xa0;: \^. Par exemple, ^#include ne trouve «&#xa0;#include&#xa0;» qu&apos;au tout début.</translation>
    </message>
    <message>
        <source>$</source>
        <translation>$</translation>
    </message>
    <message>
        <source>Matches at the end of the string. To match a dollar sign itself, escape it as \$. For example, \d\s*$ matches a digit followed only by optional whitespace up to the end.</source>
        <translation>Correspond à la fin de la chaîne. Pour trouver le signe dollar lui-même, échappez-le ainsi&#xa0;: \$. Par exemple, \d\s*$ correspond à un chiffre qui n&apos;est suivi que d&apos;espacements facultatifs jusqu&apos;à la fin.</translation>
    </message>
    <message>
        <source>\b</source>
        <translation>\b</translation>
    </message>
    <message>
        <source>Matches at a word boundary, where a word character meets a non-word character. For example, \bOK\b finds &quot;OK&quot; as a whole word but not inside &quot;BOOKS&quot;.</source>
        <translation>Correspond à une limite de mot, là où un caractère de mot en rencontre un qui n&apos;en est pas un. Par exemple, \bchat\b trouve «&#xa0;chat&#xa0;» comme mot entier, mais pas dans «&#xa0;chaton&#xa0;».</translation>
    </message>
    <message>
        <source>\B</source>
        <translation>\B</translation>
    </message>
    <message>
        <source>Matches wherever \b does not: a position that is not a word boundary. For example, \Bon\B finds &quot;on&quot; inside &quot;Monday&quot; but not in &quot;on time&quot;.</source>
        <translation>Correspond partout où \b ne correspond pas&#xa0;: à une position qui n&apos;est pas une limite de mot. Par exemple, \Bon\B trouve «&#xa0;on&#xa0;» dans «&#xa0;montre&#xa0;», mais pas dans «&#xa0;on dit&#xa0;».</translation>
    </message>
    <message>
        <source>(?
=E)</source>
        <translation>(?
=E)</translation>
    </message>
    <message>
        <source>Positive lookahead: holds where E would match at this position, without consuming it. For example, const(?=\s+char) matches &quot;const&quot; only when &quot;char&quot; follows.</source>
        <translation>Anticipation positive&#xa0;: vraie là où E correspondrait à cette position, sans le consommer. Par exemple, const(?=\s+char) correspond à «&#xa0;const&#xa0;» seulement si «&#xa0;char&#xa0;» suit.</translation>
    </message>
    <message>
        <source>(?!E)</source>
        <translation>(?!E)</translation>
    </message>
    <message>
        <source>Negative lookahead: holds where E would not match at this position. For example, const(?!\s+char) matches &quot;const&quot; unless &quot;char&quot; follows.</source>
        <translation>Anticipation négative&#xa0;: vraie là où E ne correspondrait pas à cette position. Par exemple, const(?!\s+char) correspond à «&#xa0;const&#xa0;» sauf si «&#xa0;char&#xa0;» suit.</translation>
    </message>
    <message>
        <source>Previous</source>
        <translation>Précédent</translation>
    </message>
    <message>
        <source>1 / 5</source>
        <translation>1 / 5</translation>
    </message>
    <message>
        <source>Next</source>
        <translation>Suivant</translation>
    </message>
    <message>
        <source>&lt;html&gt;&lt;head/&gt;&lt;body&gt;&lt;p&gt;&lt;span style=&quot; font-size:8pt;&quot;&gt;This documentation provides from the Qt Documentation of QRegExp. The original can be found &lt;/span&gt;&lt;span style=&quot; font-size:8pt; color:#009900;&quot;&gt;https://doc.qt.io/qt-5/qregexp.html&lt;/span&gt;&lt;span style=&quot; font-size:8pt;&quot;&gt;.&lt;/span&gt;&lt;/p&gt;&lt;/body&gt;&lt;/html&gt;</source>
        <translation>&lt;html&gt;&lt;head/&gt;&lt;body&gt;&lt;p&gt;&lt;span style=&quot; font-size:8pt;&quot;&gt;Cette documentation est tirée de la documentation Qt de QRegExp. L&apos;original se trouve à l&apos;adresse &lt;/span&gt;&lt;span style=&quot; font-size:8pt; color:#009900;&quot;&gt;https://doc.qt.io/qt-5/qregexp.html&lt;/span&gt;&lt;span style=&quot; font-size:8pt;&quot;&gt;.&lt;/span&gt;&lt;/p&gt;&lt;/body&gt;&lt;/html&gt;</translation>
    </message>
    <message>
        <source>Replacing</source>
        <translation>Remplacer</translation>
    </message>
    <message>
        <source>With RegExp ticked on the Replace tab, the text put in place of a match may repeat what the expression captured. The Rules tab&apos;s replace rule reads the same expressions, or Perl&apos;s when its syntax is set so.</source>
        <translation>Quand RegExp est coché dans l&apos;onglet Remplacer, le texte mis à la place d&apos;une correspondance peut reprendre ce que l&apos;expression a capturé. La règle de remplacement de l&apos;onglet Règles lit les mêmes expressions, ou celles de Perl quand sa syntaxe est réglée ainsi.</translation>
    </message>
    <message>
        <source>Parentheses capture the text they match, counted from the left by their opening parenthesis. (?:E) groups E without capturing.</source>
        <translation>Les parenthèses capturent le texte qu&apos;elles reconnaissent, comptées depuis la gauche par leur parenthèse ouvrante. (?:E) groupe E sans capturer.</translation>
    </message>
    <message>
        <source>In the text put in place, the text the first to ninth parentheses captured. For example, finding (\d+)-(\d+) and putting \2-\1 turns &quot;12-34&quot; into &quot;34-12&quot;.</source>
        <translation>Dans le texte mis à la place, le texte capturé par la première à la neuvième parenthèse. Par exemple, chercher (\d+)-(\d+) et mettre \2-\1 change «&#xa0;12-34&#xa0;» en «&#xa0;34-12&#xa0;».</translation>
    </message>
    <message>
        <source>With the Perl syntax of a replace rule, $1 and ${name} repeat captures too, (?&lt;name&gt;E) naming one.</source>
        <translation>Avec la syntaxe Perl d&apos;une règle de remplacement, $1 et ${name} reprennent aussi les captures, (?&lt;name&gt;E) en nommant une.</translation>
    </message>
    <message>
        <source>Without RegExp ticked, the text to find is found as it is written: every character stands for itself.</source>
        <translation>Sans RegExp coché, le texte à chercher est trouvé tel qu&apos;il est écrit&#xa0;: chaque caractère vaut pour lui-même.</translation>
    </message>
</context>
<context>
    <name>Rename</name>
    <message>
        <source>Renaming</source>
        <translation>Renommage</translation>
    </message>
    <message>
        <source>Reseting</source>
        <translation>Vidage de la liste</translation>
    </message>
</context>
<context>
    <name>RenameTab</name>
    <message>
        <source>Date (newer first)</source>
        <translation>Date (plus récents d&apos;abord)</translation>
    </message>
    <message>
        <source>Size (greater first)</source>
        <translation>Taille (plus grands d&apos;abord)</translation>
    </message>
    <message>
        <source>Name (alphabetical)</source>
        <translation>Nom (alphabétique)</translation>
    </message>
    <message>
        <source>filename</source>
        <extracomment>Stands for the old name of a file in the example name, as in the radio buttons.</extracomment>
        <translation>fichier</translation>
    </message>
    <message>
        <source>You have selected to rename your files : 
</source>
        <translation>Vous avez choisi de renommer vos fichiers ainsi&#xa0;: 
</translation>
    </message>
    <message>
        <source>

Continue ?</source>
        <translation>

Continuer&#xa0;?</translation>
    </message>
</context>
<context>
    <name>ReplaceTab</name>
    <message>
        <source>Empty input string</source>
        <translation>Texte à remplacer vide</translation>
    </message>
    <message>
        <source>Warning : Please fill the input string to replace...</source>
        <translation>Avertissement&#xa0;: veuillez saisir le texte à remplacer...</translation>
    </message>
    <message>
        <source>Invalid regular expression</source>
        <translation>Expression régulière non valide</translation>
    </message>
    <message>
        <source>The regular expression is not valid: %1.</source>
        <translation>L’expression régulière n’est pas valide : %1.</translation>
    </message>
</context>
<context>
    <name>Rule</name>
    <message>
        <source>Text</source>
        <translation>Texte</translation>
    </message>
    <message>
        <source>Format</source>
        <translation>Format</translation>
    </message>
    <message>
        <source>Text and number only</source>
        <translation>Texte et numéro seuls</translation>
    </message>
    <message>
        <source>Before the old name</source>
        <translation>Avant l&apos;ancien nom</translation>
    </message>
    <message>
        <source>After the old name</source>
        <translation>Après l&apos;ancien nom</translation>
    </message>
    <message>
        <source>Number before the text</source>
        <translation>Numéro avant le texte</translation>
    </message>
    <message>
        <source>Suffixes (* for every one)</source>
        <translation>Extensions (* pour toutes)</translation>
    </message>
    <message>
        <source>Find</source>
        <translation>Rechercher</translation>
    </message>
    <message>
        <source>Replace with</source>
        <translation>Remplacer par</translation>
    </message>
    <message>
        <source>Regular expression</source>
        <translation>Expression régulière</translation>
    </message>
    <message>
        <source>In</source>
        <translation>Dans</translation>
    </message>
    <message>
        <source>the base name</source>
        <translation>le nom de base</translation>
    </message>
    <message>
        <source>the suffix</source>
        <translation>l&apos;extension</translation>
    </message>
    <message>
        <source>the whole name</source>
        <translation>le nom entier</translation>
    </message>
    <message>
        <source>the name up to its first dot</source>
        <translation>le nom jusqu&apos;au premier point</translation>
    </message>
    <message>
        <source>Case-sensitive</source>
        <translation>Respecter la casse</translation>
    </message>
    <message>
        <source>Replace</source>
        <translation>Remplacer</translation>
    </message>
    <message>
        <source>every match</source>
        <translation>chaque occurrence</translation>
    </message>
    <message>
        <source>the first match</source>
        <translation>la première occurrence</translation>
    </message>
    <message>
        <source>only a match of the whole part</source>
        <translation>seulement une occurrence de toute la partie</translation>
    </message>
    <message>
        <source>Syntax</source>
        <translation>Syntaxe</translation>
    </message>
    <message>
        <source>Perl-compatible</source>
        <translation>Compatible Perl</translation>
    </message>
    <message>
        <source>as in the Replace tab</source>
        <translation>comme dans l&apos;onglet Remplacer</translation>
    </message>
    <message>
        <source>&quot;%1&quot; must be a text</source>
        <translation>«&#xa0;%1&#xa0;» doit être un texte</translation>
    </message>
    <message>
        <source>&quot;%1&quot; must be true or false</source>
        <translation>«&#xa0;%1&#xa0;» doit être true ou false</translation>
    </message>
    <message>
        <source>&quot;%1&quot; must be a whole number from %2 to %3</source>
        <translation>«&#xa0;%1&#xa0;» doit être un nombre entier de %2 à %3</translation>
    </message>
    <message>
        <source>&quot;%1&quot; must be one of %2</source>
        <translation>«&#xa0;%1&#xa0;» doit être l&apos;un de %2</translation>
    </message>
    <message>
        <source>&quot;%1&quot; must be a list of texts</source>
        <translation>«&#xa0;%1&#xa0;» doit être une liste de textes</translation>
    </message>
    <message>
        <source>&quot;%1&quot; must be true or false, not &quot;%2&quot;</source>
        <translation>«&#xa0;%1&#xa0;» doit être true ou false, pas «&#xa0;%2&#xa0;»</translation>
    </message>
    <message>
        <source>&quot;%1&quot; must be a whole number from %2 to %3, not &quot;%4&quot;</source>
        <translation>«&#xa0;%1&#xa0;» doit être un nombre entier de %2 à %3, pas «&#xa0;%4&#xa0;»</translation>
    </message>
    <message>
        <source>&quot;%1&quot; must be one of %2, not &quot;%3&quot;</source>
        <translation>«&#xa0;%1&#xa0;» doit être l&apos;un de %2, pas «&#xa0;%3&#xa0;»</translation>
    </message>
    <message>
        <source>&quot;enabled&quot; must be true or false</source>
        <translation>«&#xa0;enabled&#xa0;» doit être true ou false</translation>
    </message>
    <message>
        <source>unknown key &quot;%1&quot;</source>
        <translation>clé inconnue «&#xa0;%1&#xa0;»</translation>
    </message>
    <message>
        <source>%1 takes at most %2 fields</source>
        <translation>%1 prend au plus %2 champs</translation>
    </message>
    <message>
        <source>Text and number</source>
        <translation>Texte et numéro</translation>
    </message>
    <message>
        <source>Start at</source>
        <translation>Commencer à</translation>
    </message>
    <message>
        <source>Step</source>
        <translation>Pas</translation>
    </message>
    <message>
        <source>Digits (0: as many as the folder needs)</source>
        <translation>Chiffres (0&#xa0;: autant que le dossier en demande)</translation>
    </message>
    <message>
        <source>Put the number</source>
        <translation>Placer le numéro</translation>
    </message>
    <message>
        <source>before the name</source>
        <translation>avant le nom</translation>
    </message>
    <message>
        <source>after the name</source>
        <translation>après le nom</translation>
    </message>
    <message>
        <source>in place of the name</source>
        <translation>à la place du nom</translation>
    </message>
    <message>
        <source>Separator</source>
        <translation>Séparateur</translation>
    </message>
    <message>
        <source>Count</source>
        <translation>Compter</translation>
    </message>
    <message>
        <source>in each folder afresh</source>
        <translation>de nouveau dans chaque dossier</translation>
    </message>
    <message>
        <source>across all the files</source>
        <translation>sur l’ensemble des fichiers</translation>
    </message>
    <message>
        <source>the step must not be 0</source>
        <translation>le pas ne doit pas être 0</translation>
    </message>
    <message>
        <source>&quot;%1&quot; is not a valid regular expression: %2</source>
        <translation>«&#xa0;%1&#xa0;» n&apos;est pas une expression régulière valide&#xa0;: %2</translation>
    </message>
    <message>
        <source>Counter</source>
        <translation>Compteur</translation>
    </message>
    <message>
        <source>Template</source>
        <translation>Modèle</translation>
    </message>
    <message>
        <source>%1 takes nothing after a colon</source>
        <translation>%1 n’accepte rien après un deux-points</translation>
    </message>
    <message>
        <source>bad width in %1: a number from 1 to %2 is needed</source>
        <translation>largeur incorrecte dans %1&#xa0;: un nombre de 1 à %2 est attendu</translation>
    </message>
    <message>
        <source>%1 needs a date format after the colon</source>
        <translation>%1 attend un format de date après le deux-points</translation>
    </message>
    <message>
        <source>a &quot;}&quot; stands alone (&quot;}}&quot; is a brace)</source>
        <translation>une «&#xa0;}&#xa0;» seule («&#xa0;}}&#xa0;» donne une accolade)</translation>
    </message>
    <message>
        <source>&quot;%1&quot; has no closing brace (&quot;{{&quot; is a brace)</source>
        <translation>«&#xa0;%1&#xa0;» n’a pas d’accolade fermante («&#xa0;{{&#xa0;» donne une accolade)</translation>
    </message>
    <message>
        <source>unknown token %1</source>
        <translation>balise inconnue %1</translation>
    </message>
    <message>
        <source>Case</source>
        <translation>Casse</translation>
    </message>
    <message>
        <source>lower case</source>
        <translation>minuscules</translation>
    </message>
    <message>
        <source>UPPER CASE</source>
        <translation>MAJUSCULES</translation>
    </message>
    <message>
        <source>Title Case</source>
        <translation>Majuscule À Chaque Mot</translation>
    </message>
    <message>
        <source>Sentence case</source>
        <translation>Majuscule en tête</translation>
    </message>
    <message>
        <source>%1 in %2</source>
        <translation>%1 dans %2</translation>
    </message>
    <message>
        <source>Unicode form</source>
        <translation>Forme Unicode</translation>
    </message>
    <message>
        <source>as it is</source>
        <translation>telle quelle</translation>
    </message>
    <message>
        <source>composed (NFC)</source>
        <translation>composée (NFC)</translation>
    </message>
    <message>
        <source>decomposed (NFD)</source>
        <translation>décomposée (NFD)</translation>
    </message>
    <message>
        <source>Letters in ASCII (é → e, Ж → Zh)</source>
        <translation>Lettres en ASCII (é → e, Ж → Zh)</translation>
    </message>
    <message>
        <source>Replace characters Windows refuses</source>
        <translation>Remplacer les caractères refusés par Windows</translation>
    </message>
    <message>
        <source>Replace them with</source>
        <translation>Les remplacer par</translation>
    </message>
    <message>
        <source>Blanks</source>
        <translation>Blancs</translation>
    </message>
    <message>
        <source>as they are</source>
        <translation>tels quels</translation>
    </message>
    <message>
        <source>become _</source>
        <translation>deviennent _</translation>
    </message>
    <message>
        <source>become -</source>
        <translation>deviennent -</translation>
    </message>
    <message>
        <source>Letters cannot be written in ASCII here: the system&apos;s ICU refuses &quot;%1&quot; (%2).</source>
        <translation>Les lettres ne peuvent pas être écrites en ASCII ici&#xa0;: l&apos;ICU du système refuse «&#xa0;%1&#xa0;» (%2).</translation>
    </message>
    <message>
        <source>letters in ASCII</source>
        <translation>lettres en ASCII</translation>
    </message>
    <message>
        <source>blanks %1</source>
        <translation>blancs %1</translation>
    </message>
    <message>
        <source>what Windows refuses → &quot;%1&quot;</source>
        <translation>ce que Windows refuse → «&#xa0;%1&#xa0;»</translation>
    </message>
    <message>
        <source>characters as they are</source>
        <translation>caractères tels quels</translation>
    </message>
    <message>
        <source>At character</source>
        <translation>Au caractère</translation>
    </message>
    <message>
        <source>Counted from</source>
        <translation>Compté depuis</translation>
    </message>
    <message>
        <source>the start of the base name</source>
        <translation>le début du nom de base</translation>
    </message>
    <message>
        <source>the end of the base name</source>
        <translation>la fin du nom de base</translation>
    </message>
    <message>
        <source>insert &quot;%1&quot; %2 from the end</source>
        <translation>insérer «&#xa0;%1&#xa0;» à %2 de la fin</translation>
    </message>
    <message>
        <source>insert &quot;%1&quot; at %2</source>
        <translation>insérer «&#xa0;%1&#xa0;» à %2</translation>
    </message>
    <message>
        <source>From character</source>
        <translation>À partir du caractère</translation>
    </message>
    <message>
        <source>Characters to remove</source>
        <translation>Caractères à retirer</translation>
    </message>
    <message>
        <source>Trim</source>
        <translation>Rogner</translation>
    </message>
    <message>
        <source>nothing</source>
        <translation>rien</translation>
    </message>
    <message>
        <source>blanks</source>
        <translation>les blancs</translation>
    </message>
    <message>
        <source>the characters below</source>
        <translation>les caractères ci-dessous</translation>
    </message>
    <message>
        <source>Characters to trim</source>
        <translation>Caractères à rogner</translation>
    </message>
    <message>
        <source>Trim at</source>
        <translation>Rogner</translation>
    </message>
    <message>
        <source>both ends</source>
        <translation>aux deux bouts</translation>
    </message>
    <message>
        <source>the start</source>
        <translation>au début</translation>
    </message>
    <message>
        <source>the end</source>
        <translation>à la fin</translation>
    </message>
    <message>
        <source>Runs of blanks become one space</source>
        <translation>Plusieurs blancs deviennent une espace</translation>
    </message>
    <message>
        <source>remove %1 at %2 from the end</source>
        <translation>retirer %1 à %2 de la fin</translation>
    </message>
    <message>
        <source>remove %1 at %2</source>
        <translation>retirer %1 à %2</translation>
    </message>
    <message>
        <source>one space for a run of blanks</source>
        <translation>une espace pour plusieurs blancs</translation>
    </message>
    <message>
        <source>trim blanks at %1</source>
        <translation>rogner les blancs %1</translation>
    </message>
    <message>
        <source>trim &quot;%1&quot; at %2</source>
        <translation>rogner «&#xa0;%1&#xa0;» %2</translation>
    </message>
    <message>
        <source>remove nothing</source>
        <translation>ne rien retirer</translation>
    </message>
    <message>
        <source>Letter case</source>
        <translation>Casse</translation>
    </message>
    <message>
        <source>Insert</source>
        <translation>Insérer</translation>
    </message>
    <message>
        <source>Remove</source>
        <translation>Retirer</translation>
    </message>
    <message>
        <source>Characters</source>
        <translation>Caractères</translation>
    </message>
    <message>
        <source>Suffix</source>
        <translation>Extension</translation>
    </message>
    <message>
        <source>New suffix (empty keeps it)</source>
        <translation>Nouvelle extension (vide&#xa0;: inchangée)</translation>
    </message>
    <message>
        <source>Suffix starts at</source>
        <translation>L&apos;extension commence au</translation>
    </message>
    <message>
        <source>the last dot</source>
        <translation>dernier point</translation>
    </message>
    <message>
        <source>the first dot</source>
        <translation>premier point</translation>
    </message>
    <message>
        <source>suffix .%1 from the first dot</source>
        <translation>extension .%1 depuis le premier point</translation>
    </message>
    <message>
        <source>suffix .%1</source>
        <translation>extension .%1</translation>
    </message>
    <message>
        <source>suffix in %1</source>
        <translation>extension en %1</translation>
    </message>
    <message>
        <source>suffix as it is</source>
        <translation>extension telle quelle</translation>
    </message>
    <message>
        <source>stays: it has no %1</source>
        <translation>reste&#xa0;: il n&apos;a pas de %1</translation>
    </message>
    <message>
        <source>not a photo</source>
        <translation>pas une photo</translation>
    </message>
    <message>
        <source>not a song, or damaged</source>
        <translation>pas un morceau, ou endommagé</translation>
    </message>
    <message>
        <source>damaged, or not a photo</source>
        <translation>endommagé, ou pas une photo</translation>
    </message>
    <message>
        <source>could not be read</source>
        <translation>n&apos;a pas pu être lu</translation>
    </message>
    <message>
        <source>List file</source>
        <translation>Fichier de liste</translation>
    </message>
    <message>
        <source>found from the list</source>
        <translation>déduit de la liste</translation>
    </message>
    <message>
        <source>one new name per line</source>
        <translation>un nouveau nom par ligne</translation>
    </message>
    <message>
        <source>old name,new name</source>
        <translation>ancien nom,nouveau nom</translation>
    </message>
    <message>
        <source>Names (without a file)</source>
        <translation>Noms (sans fichier)</translation>
    </message>
    <message>
        <source>the list &quot;%1&quot; cannot be read: %2</source>
        <translation>la liste «&#xa0;%1&#xa0;» ne peut pas être lue&#xa0;: %2</translation>
    </message>
    <message>
        <source>line %1 of the list is empty</source>
        <translation>la ligne %1 de la liste est vide</translation>
    </message>
    <message>
        <source>line %1 of the list is not &quot;old name,new name&quot;</source>
        <translation>la ligne %1 de la liste n&apos;est pas «&#xa0;ancien nom,nouveau nom&#xa0;»</translation>
    </message>
    <message>
        <source>line %1 of the list names &quot;%2&quot; again</source>
        <translation>la ligne %1 de la liste nomme encore «&#xa0;%2&#xa0;»</translation>
    </message>
    <message>
        <source>the list renames &quot;%1&quot;, which is not among the files</source>
        <translation>la liste renomme «&#xa0;%1&#xa0;», qui n&apos;est pas parmi les fichiers</translation>
    </message>
    <message>
        <source>names from a list</source>
        <translation>noms d&apos;une liste</translation>
    </message>
    <message>
        <source>names from %1</source>
        <translation>noms de %1</translation>
    </message>
    <message>
        <source>Names from a list</source>
        <translation>Noms d&apos;une liste</translation>
    </message>
    <message>
        <source>Same names</source>
        <translation>Noms identiques</translation>
    </message>
    <message>
        <source>first file only</source>
        <translation>premier fichier seulement</translation>
    </message>
    <message>
        <source>numbered _1, _2, ...</source>
        <translation>numérotés _1, _2, ...</translation>
    </message>
    <message>
        <source>Paths and typed names</source>
        <translation>Chemins et noms saisis</translation>
    </message>
    <message>
        <source>the typed names do not come in pairs of a path and a name</source>
        <translation>les noms saisis ne vont pas par paires d&apos;un chemin et d&apos;un nom</translation>
    </message>
    <message>
        <source>the typed name of &quot;%1&quot; is empty</source>
        <translation>le nom saisi de «&#xa0;%1&#xa0;» est vide</translation>
    </message>
    <message>
        <source>typed names: %1</source>
        <translation>noms saisis&#xa0;: %1</translation>
    </message>
    <message>
        <source>Fill in tokens such as {exif.date}</source>
        <translation>Remplir les jetons comme {exif.date}</translation>
    </message>
    <message>
        <source>Names typed in the table</source>
        <translation>Noms saisis dans le tableau</translation>
    </message>
    <message numerus="yes">
        <source>the list has %1 names for %Ln files</source>
        <translation>
            <numerusform>la liste a %1 noms pour %Ln fichier</numerusform>
            <numerusform>la liste a %1 noms pour %Ln fichiers</numerusform>
        </translation>
    </message>
</context>
<context>
    <name>RuleEditor</name>
    <message>
        <source>Add a rule, or choose one in the list, to set it here.</source>
        <translation>Ajoutez une règle, ou choisissez-en une dans la liste, pour la régler ici.</translation>
    </message>
    <message>
        <source>%1:</source>
        <extracomment>A field&apos;s label in the rule editor; French puts a blank before the colon.</extracomment>
        <translation>%1&#xa0;:</translation>
    </message>
    <message>
        <source>Items separated by commas</source>
        <translation>Éléments séparés par des virgules</translation>
    </message>
    <message>
        <source>One item per line; paste a column here</source>
        <translation>Un élément par ligne&#xa0;; collez une colonne ici</translation>
    </message>
    <message>
        <source>Open…</source>
        <translation>Ouvrir…</translation>
    </message>
    <message>
        <source>Choose the file</source>
        <translation>Choisir le fichier</translation>
    </message>
    <message>
        <source>Open a list of names</source>
        <translation>Ouvrir une liste de noms</translation>
    </message>
    <message>
        <source>Lists of names (*.txt *.csv);;All files (*)</source>
        <translation>Listes de noms (*.txt *.csv);;Tous les fichiers (*)</translation>
    </message>
</context>
<context>
    <name>RuleStack</name>
    <message>
        <source>rule %1 (%2): %3</source>
        <translation>règle %1 (%2)&#xa0;: %3</translation>
    </message>
    <message>
        <source>&quot;reversed&quot; must be true or false</source>
        <translation>«&#xa0;reversed&#xa0;» doit être true ou false</translation>
    </message>
    <message>
        <source>unknown key &quot;%1&quot;</source>
        <translation>clé inconnue «&#xa0;%1&#xa0;»</translation>
    </message>
    <message>
        <source>a list &quot;rules&quot; is needed</source>
        <translation>il faut une liste «&#xa0;rules&#xa0;»</translation>
    </message>
    <message>
        <source>not an object</source>
        <translation>pas un objet</translation>
    </message>
    <message>
        <source>unknown kind &quot;%1&quot;</source>
        <translation>type inconnu «&#xa0;%1&#xa0;»</translation>
    </message>
    <message>
        <source>%1: %2</source>
        <translation>%1&#xa0;: %2</translation>
    </message>
    <message>
        <source>rule %1: %2</source>
        <translation>règle %1&#xa0;: %2</translation>
    </message>
    <message>
        <source>not valid JSON: %1 (at character %2)</source>
        <translation>JSON non valide&#xa0;: %1 (au caractère %2)</translation>
    </message>
    <message>
        <source>not a JSON object</source>
        <translation>pas un objet JSON</translation>
    </message>
    <message>
        <source>&quot;order&quot; must be &quot;natural&quot;, &quot;name&quot;, &quot;date&quot;, &quot;size&quot; or &quot;taken&quot;</source>
        <translation>«&#xa0;order&#xa0;» doit être «&#xa0;natural&#xa0;», «&#xa0;name&#xa0;», «&#xa0;date&#xa0;», «&#xa0;size&#xa0;» ou «&#xa0;taken&#xa0;»</translation>
    </message>
</context>
<context>
    <name>RulesTab</name>
    <message>
        <source>Natural</source>
        <translation>Naturel</translation>
    </message>
    <message>
        <source>Name</source>
        <translation>Nom</translation>
    </message>
    <message>
        <source>Date (newer first)</source>
        <translation>Date (plus récents d&apos;abord)</translation>
    </message>
    <message>
        <source>Size (greater first)</source>
        <translation>Taille (plus grands d&apos;abord)</translation>
    </message>
    <message>
        <source>%1: %2</source>
        <extracomment>A rule in the list: its kind, then what it does.</extracomment>
        <translation>%1&#xa0;: %2</translation>
    </message>
    <message>
        <source>Looking at the files…</source>
        <translation>Examen des fichiers…</translation>
    </message>
    <message>
        <source>Add files or folders to see their new names here.</source>
        <translation>Ajoutez des fichiers ou des dossiers pour voir ici leurs nouveaux noms.</translation>
    </message>
    <message>
        <source>Preset</source>
        <translation>Préréglage</translation>
    </message>
    <message>
        <source>Save preset</source>
        <translation>Enregistrer le préréglage</translation>
    </message>
    <message>
        <source>Name of the preset:</source>
        <translation>Nom du préréglage&#xa0;:</translation>
    </message>
    <message>
        <source>&quot;%1&quot; cannot be the name of a preset: it must be a file name, without a slash and not starting with a dot.</source>
        <translation>«&#xa0;%1&#xa0;» ne peut pas être le nom d&apos;un préréglage&#xa0;: ce doit être un nom de fichier, sans barre oblique et ne commençant pas par un point.</translation>
    </message>
    <message>
        <source>A preset &quot;%1&quot; exists already. Replace it?</source>
        <translation>Un préréglage «&#xa0;%1&#xa0;» existe déjà. Le remplacer&#xa0;?</translation>
    </message>
    <message>
        <source>Delete preset</source>
        <translation>Supprimer le préréglage</translation>
    </message>
    <message>
        <source>Delete the preset &quot;%1&quot;?</source>
        <translation>Supprimer le préréglage «&#xa0;%1&#xa0;»&#xa0;?</translation>
    </message>
    <message>
        <source>Date taken (older first)</source>
        <translation>Date de prise de vue (plus anciennes d&apos;abord)</translation>
    </message>
    <message>
        <source>Reading the files&apos; dates and tags: %1 of %2…</source>
        <translation>Lecture des dates et étiquettes des fichiers&#xa0;: %1 sur %2…</translation>
    </message>
    <message>
        <source>Reading stopped. The names need the files&apos; dates or tags: change a rule or the input to read on.</source>
        <translation>Lecture arrêtée. Les noms ont besoin des dates ou des étiquettes des fichiers&#xa0;: changez une règle ou l&apos;entrée pour reprendre la lecture.</translation>
    </message>
    <message numerus="yes">
        <source>%1 of %Ln files will be renamed.</source>
        <translation>
            <numerusform>%1 sur %Ln fichier sera renommé.</numerusform>
            <numerusform>%1 sur %Ln fichiers seront renommés.</numerusform>
        </translation>
    </message>
    <message numerus="yes">
        <source>Rename %Ln files with these rules?

%1</source>
        <translation>
            <numerusform>Renommer %Ln fichier avec ces règles&#xa0;?

%1</numerusform>
            <numerusform>Renommer %Ln fichiers avec ces règles&#xa0;?

%1</numerusform>
        </translation>
    </message>
</context>
<context>
    <name>Startup</name>
    <message>
        <source>Renames files in batches.</source>
        <translation>Renomme des fichiers par lots.</translation>
    </message>
    <message>
        <source>Files and folders to put in the input list.</source>
        <translation>Fichiers et dossiers à mettre dans la liste d’entrée.</translation>
    </message>
</context>
<context>
    <name>Trash</name>
    <message>
        <source>the trash folder %1 can&apos;t be made (%2)</source>
        <translation>le dossier de corbeille %1 ne peut pas être créé (%2)</translation>
    </message>
    <message>
        <source>%1 is not a trash folder of this user</source>
        <translation>%1 n’est pas un dossier de corbeille de cet utilisateur</translation>
    </message>
    <message>
        <source>it is a folder, and folders are not moved to the trash</source>
        <translation>c’est un dossier, et les dossiers ne vont pas à la corbeille</translation>
    </message>
    <message>
        <source>its volume has no trash that can take it</source>
        <translation>son volume n’a pas de corbeille qui puisse le recevoir</translation>
    </message>
    <message>
        <source>the trash&apos;s record of it can&apos;t be written (%1)</source>
        <translation>la fiche de la corbeille ne peut pas être écrite (%1)</translation>
    </message>
    <message>
        <source>the trash has no free name for it</source>
        <translation>la corbeille n’a plus de nom libre pour lui</translation>
    </message>
</context>
<context>
    <name>Undo</name>
    <message>
        <source>The batch could not be undone: %1</source>
        <translation>Le lot n’a pas pu être annulé : %1</translation>
    </message>
    <message>
        <source>Nothing was undone: a later batch renamed some of the files of this one again.</source>
        <translation>Rien n’a été annulé&#xa0;: un lot ultérieur a de nouveau renommé certains fichiers de celui-ci.</translation>
    </message>
    <message>
        <source>Undo first the replace made on %1 (batch %2).</source>
        <translation>Annulez d’abord le remplacement du %1 (lot %2).</translation>
    </message>
    <message>
        <source>Undo first the rename made on %1 (batch %2).</source>
        <translation>Annulez d’abord le renommage du %1 (lot %2).</translation>
    </message>
    <message numerus="yes">
        <source>%Ln files were left as they are:</source>
        <translation>
            <numerusform>%Ln fichier a été laissé tel quel&#xa0;:</numerusform>
            <numerusform>%Ln fichiers ont été laissés tels quels&#xa0;:</numerusform>
        </translation>
    </message>
</context>
<context>
    <name>UndoController</name>
    <message>
        <source>Undo</source>
        <translation>Annuler</translation>
    </message>
    <message>
        <source>Files changed since then are left as they are.</source>
        <translation>Les fichiers modifiés depuis restent tels quels.</translation>
    </message>
    <message>
        <source>Cancel</source>
        <translation>Annuler</translation>
    </message>
    <message numerus="yes">
        <source>Undo replace in %Ln files</source>
        <translation>
            <numerusform>Annuler le remplacement dans %Ln fichier</numerusform>
            <numerusform>Annuler le remplacement dans %Ln fichiers</numerusform>
        </translation>
    </message>
    <message numerus="yes">
        <source>Undo rename of %Ln files</source>
        <translation>
            <numerusform>Annuler le renommage de %Ln fichier</numerusform>
            <numerusform>Annuler le renommage de %Ln fichiers</numerusform>
        </translation>
    </message>
    <message numerus="yes">
        <source>Undo the replace made on %1, which renamed %Ln files?</source>
        <translation>
            <numerusform>Annuler le remplacement du %1, qui a renommé %Ln fichier&#xa0;?</numerusform>
            <numerusform>Annuler le remplacement du %1, qui a renommé %Ln fichiers&#xa0;?</numerusform>
        </translation>
    </message>
    <message numerus="yes">
        <source>Undo the rename made on %1, which renamed %Ln files?</source>
        <translation>
            <numerusform>Annuler le renommage du %1, qui a renommé %Ln fichier&#xa0;?</numerusform>
            <numerusform>Annuler le renommage du %1, qui a renommé %Ln fichiers&#xa0;?</numerusform>
        </translation>
    </message>
    <message>
        <source>In %1</source>
        <translation>Dans %1</translation>
    </message>
</context>
<context>
    <name>UndoPlan</name>
    <message>
        <source>the batch has not ended</source>
        <translation>le lot n’est pas terminé</translation>
    </message>
    <message>
        <source>it changed, or another file bears its name now</source>
        <translation>il a changé, ou un autre fichier porte maintenant son nom</translation>
    </message>
    <message>
        <source>it is no longer there</source>
        <translation>il n’est plus là</translation>
    </message>
    <message>
        <source>the file it replaced was deleted; it cannot come back</source>
        <translation>le fichier remplacé a été supprimé ; il ne peut pas revenir</translation>
    </message>
    <message>
        <source>the file it replaced is no longer in the trash</source>
        <translation>le fichier remplacé n’est plus dans la corbeille</translation>
    </message>
    <message>
        <source>a later batch renamed some of its files again; undo batch %1 first</source>
        <translation>un lot ultérieur a de nouveau renommé certains de ses fichiers&#xa0;; annulez d’abord le lot %1</translation>
    </message>
</context>
<context>
    <name>Update</name>
    <message>
        <source>Dialog</source>
        <translation>Dialogue</translation>
    </message>
    <message>
        <source>Update :</source>
        <translation>Mise à jour&#xa0;:</translation>
    </message>
    <message>
        <source>Search for updates :</source>
        <translation>Rechercher des mises à jour&#xa0;:</translation>
    </message>
    <message>
        <source>Check now !</source>
        <translation>Vérifier maintenant&#xa0;!</translation>
    </message>
    <message>
        <source>Status :</source>
        <translation>État&#xa0;:</translation>
    </message>
    <message>
        <source>Not checked...</source>
        <translation>Non vérifié...</translation>
    </message>
    <message>
        <source>Download</source>
        <translation>Télécharger</translation>
    </message>
    <message>
        <source>Download :</source>
        <translation>Téléchargement&#xa0;:</translation>
    </message>
    <message>
        <source>Current version :</source>
        <translation>Version actuelle&#xa0;:</translation>
    </message>
    <message>
        <source>New software version :</source>
        <translation>Nouvelle version du logiciel&#xa0;:</translation>
    </message>
    <message>
        <source>Filename :</source>
        <translation>Nom du fichier&#xa0;:</translation>
    </message>
    <message>
        <source>What&apos;s new :</source>
        <translation>Nouveautés&#xa0;:</translation>
    </message>
    <message>
        <source>0 Mo downloaded</source>
        <translation>0 Mo téléchargé</translation>
    </message>
    <message>
        <source>Write error here...</source>
        <translation>Message d&apos;erreur ici...</translation>
    </message>
    <message>
        <source>The update information names no valid file: &quot;%1&quot;</source>
        <translation>Les informations de mise à jour ne désignent aucun fichier valide&#xa0;: «&#xa0;%1&#xa0;»</translation>
    </message>
    <message>
        <source>New update available.</source>
        <translation>Nouvelle mise à jour disponible.</translation>
    </message>
    <message>
        <source>No updates available.</source>
        <translation>Aucune mise à jour disponible.</translation>
    </message>
    <message>
        <source>Save file</source>
        <translation>Enregistrer le fichier</translation>
    </message>
    <message>
        <source>Cannot save the download: %1</source>
        <translation>Impossible d&apos;enregistrer le fichier téléchargé&#xa0;: %1</translation>
    </message>
    <message>
        <source>&lt;font color=&apos;Blue&apos;&gt;Download done !&lt;/font&gt;</source>
        <translation>&lt;font color=&apos;Blue&apos;&gt;Téléchargement terminé&#xa0;!&lt;/font&gt;</translation>
    </message>
    <message>
        <source> ko downloaded on </source>
        <translation> ko téléchargés sur </translation>
    </message>
    <message>
        <source>% done</source>
        <translation>% effectués</translation>
    </message>
    <message>
        <source>The update server did not answer within %1 s</source>
        <translation>Le serveur de mise à jour n’a pas répondu dans les %1 s</translation>
    </message>
    <message>
        <source>The update server did not send the update information within %1 s</source>
        <translation>Le serveur de mise à jour n’a pas envoyé les informations de mise à jour dans les %1 s</translation>
    </message>
    <message>
        <source>The update information is larger than %1 KiB and was refused</source>
        <translation>Les informations de mise à jour dépassent %1 Kio et ont été refusées</translation>
    </message>
    <message>
        <source>Update checks are turned off in this build.</source>
        <translation>La recherche de mises à jour est désactivée dans cette version.</translation>
    </message>
    <message>
        <source>Checking…</source>
        <translation>Vérification…</translation>
    </message>
    <message>
        <source>The check failed.</source>
        <translation>La vérification a échoué.</translation>
    </message>
</context>
<context>
    <name>Volume</name>
    <message>
        <source>stays: its new name would not be a valid file name</source>
        <translation>reste : son nouveau nom ne serait pas un nom de fichier valide</translation>
    </message>
    <message>
        <source>stays: its new name would start with a dot and hide it</source>
        <translation>reste : son nouveau nom commencerait par un point et le cacherait</translation>
    </message>
    <message>
        <source>stays: its new name would cut a character in two</source>
        <translation>reste : son nouveau nom couperait un caractère en deux</translation>
    </message>
    <message>
        <source>stays: its new name is too long for this volume</source>
        <translation>reste : son nouveau nom est trop long pour ce volume</translation>
    </message>
    <message>
        <source>stays: the volume does not allow control characters in names</source>
        <translation>reste : le volume n’accepte pas de caractères de contrôle dans les noms</translation>
    </message>
    <message>
        <source>stays: the volume does not allow &apos;%1&apos; in names</source>
        <translation>reste : le volume n’accepte pas « %1 » dans les noms</translation>
    </message>
    <message>
        <source>stays: the volume does not allow names ending in a space or a dot</source>
        <translation>reste : le volume n’accepte pas de noms finissant par une espace ou un point</translation>
    </message>
    <message>
        <source>stays: Windows keeps its new name for a device</source>
        <translation>reste : Windows réserve son nouveau nom à un périphérique</translation>
    </message>
</context>
</TS>
