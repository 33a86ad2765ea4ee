<?xml version="1.0" encoding="utf-8"?>
<!DOCTYPE TS>
<TS version="2.1" language="en" sourcelanguage="de">
<context>
    <name>Apis</name>
    <message>
        <source>Die Datei ist zu groß für einen Klang (mehr als %1 MB):
%2</source>
        <translation>The file is too large to be played as a sound (over %1 MB):
%2</translation>
    </message>
    <message>
        <source>Der Klang in dieser Datei dauert zu lange (mehr als %1 Minuten):
%2</source>
        <translation>The sound in this file is too long (over %1 minutes):
%2</translation>
    </message>
    <message>
        <source>Der Klang in dieser Datei ist zu groß zum Abspielen (mehr als %1 Minuten Stereo bei %2 kHz):
%3</source>
        <translation>The sound in this file is too large to play (more than %1 minutes of stereo at %2 kHz):
%3</translation>
    </message>
    <message>
        <source>Der Klang in dieser Datei lässt sich nicht abspielen:
%1</source>
        <translation>The sound in this file cannot be played:
%1</translation>
    </message>
</context>
<context>
    <name>AudioLoader</name>
    <message>
        <source>Brummo: keine Tonausgabe, %1</source>
        <translation>Brummo: no sound output because %1</translation>
    </message>
    <message>
        <source>das Tonmodul fehlt (%1)</source>
        <translation>the sound module is missing (%1)</translation>
    </message>
    <message>
        <source>das Tonmodul oder eine Bibliothek, die es braucht, lässt sich nicht laden (%1)</source>
        <translation>the sound module or a library it needs cannot be loaded (%1)</translation>
    </message>
    <message>
        <source>das Tonmodul hat die Version %1, erwartet ist %2 (%3)</source>
        <translation>the sound module&apos;s version is %1, but the game needs version %2 (%3)</translation>
    </message>
    <message>
        <source>unbekannt</source>
        <translation>unknown</translation>
    </message>
    <message>
        <source>das Tonmodul lässt sich nicht öffnen: %1</source>
        <translation>the sound module cannot be opened: %1</translation>
    </message>
</context>
<context>
    <name>CommandLine</name>
    <message>
        <source>Aufruf: brummo [OPTION …]
„Brummo on the run“ ist ein kleines Reaktionsspiel: Klick die Bilder an, die vor Brummos Haus
auftauchen. Spielstände liegen im Ordner, in dem das Spiel läuft.

  --help            zeigt diese Hilfe und endet
  --version         zeigt die Version und endet
  --from-menu       so startet der Menüeintrag: Spielstände liegen dann in
                    $XDG_DATA_HOME/brummo, ohne diese Variable in ~/.local/share/brummo
  -platform NAME    die Qt-Plattform: xcb (X11), wayland oder offscreen
  -display ANZEIGE  die X11-Anzeige, etwa :0

Qts übrige Optionen gelten auch; alle anderen Angaben übergeht das Spiel.
Mehr dazu in „man brummo“.
</source>
        <translation>Usage: brummo [OPTION]...
“Brummo on the run” is a small reaction game: click the pictures that pop up in front of
Brummo&apos;s house. Saved games are kept in the folder the game runs in.

  --help            show this help and exit
  --version         show the version and exit
  --from-menu       start as the menu entry does, keeping saved games in
                    $XDG_DATA_HOME/brummo (by default ~/.local/share/brummo)
  -platform NAME    use this Qt platform: xcb (X11), wayland or offscreen
  -display DISPLAY  use this X11 display, such as :0

Qt&apos;s other options work too; the game ignores anything else.
See “man brummo” for more.
</translation>
    </message>
    <message>
        <source>Brummo: Die Ausgabe ließ sich nicht schreiben.
</source>
        <translation>Brummo: could not write the output.
</translation>
    </message>
    <message>
        <source>Aufruf: brummo.exe [OPTION …]
„Brummo on the run“ ist ein kleines Reaktionsspiel: Klick die Bilder an, die vor Brummos Haus auftauchen. Spielstände liegen im Ordner, in dem das Spiel läuft.

--help: zeigt diese Hilfe und endet
--version: zeigt die Version und endet
--from-menu: so startet der Eintrag im Startmenü; Spielstände liegen dann im Ordner „Brummo on the run“ unter „Gespeicherte Spiele“
-platform NAME: die Qt-Plattform, windows oder offscreen

Qts übrige Optionen gelten auch; alle anderen Angaben übergeht das Spiel.</source>
        <translation>Usage: brummo.exe [OPTION]...
“Brummo on the run” is a small reaction game: click the pictures that pop up in front of Brummo&apos;s house. Saved games are kept in the folder the game runs in.

--help: show this help and exit
--version: show the version and exit
--from-menu: start as the Start menu entry does, keeping saved games in the folder “Brummo on the run” in “Saved Games”
-platform NAME: use this Qt platform: windows or offscreen

Qt&apos;s other options work too; the game ignores anything else.</translation>
    </message>
</context>
<context>
    <name>Dialogs</name>
    <message>
        <source>Fehler</source>
        <translation>Error</translation>
    </message>
</context>
<context>
    <name>ExitWithoutDisplay</name>
    <message>
        <source>Brummo: Keine Anzeige für die Fenster erreichbar; DISPLAY, WAYLAND_DISPLAY oder QT_QPA_PLATFORM prüfen.
</source>
        <translation>Brummo: no display to show the windows on; check DISPLAY, WAYLAND_DISPLAY or QT_QPA_PLATFORM.
</translation>
    </message>
</context>
<context>
    <name>FileErrors</name>
    <message>
        <source>Keine Berechtigung für die Datei:</source>
        <translation>No permission to access the file:</translation>
    </message>
    <message>
        <source>Kein Speicherplatz mehr frei, die Datei wurde nicht geschrieben:</source>
        <translation>The disk is full, so the file was not written:</translation>
    </message>
    <message>
        <source>Die Datei konnte nicht geschrieben werden:</source>
        <translation>The file could not be written:</translation>
    </message>
    <message>
        <source>Die Datei konnte nicht gelesen werden:</source>
        <translation>The file could not be read:</translation>
    </message>
    <message>
        <source>Fehler beim Zugriff auf die Datei:</source>
        <translation>The file could not be accessed:</translation>
    </message>
    <message>
        <source>Datei nicht gefunden:</source>
        <translation>File not found:</translation>
    </message>
    <message>
        <source>Das ist ein Ordner, keine Datei:</source>
        <translation>This is a folder, not a file:</translation>
    </message>
    <message>
        <source>Die Datei konnte nicht geöffnet werden (keine Berechtigung?):</source>
        <translation>The file could not be opened (no permission?):</translation>
    </message>
    <message>
        <source>Die Datei ist ein Verweis, der im Kreis auf sich selbst zeigt:</source>
        <translation>The file is a link that loops back to itself:</translation>
    </message>
    <message>
        <source>Der Ordner für den Spielstand existiert nicht:
%1</source>
        <translation>The folder for the saved game does not exist:
%1</translation>
    </message>
    <message>
        <source>Der Name ist zu lang für einen Spielstand, bitte wähle einen kürzeren:
%1</source>
        <translation>The name is too long for a saved game. Please choose a shorter one:
%1</translation>
    </message>
    <message>
        <source>Unter diesem Namen gibt es schon einen Ordner:
%1</source>
        <translation>There is already a folder with this name:
%1</translation>
    </message>
    <message>
        <source>In diesem Ordner darf nicht gespeichert werden (keine Berechtigung oder schreibgeschützt):
%1</source>
        <translation>Games cannot be saved in this folder (no permission, or it is read-only):
%1</translation>
    </message>
    <message>
        <source>Unter diesem Namen wird gerade schon gespeichert (von einem zweiten Spiel oder einem anderen Programm). Bitte speichere gleich noch einmal:
%1</source>
        <translation>Something else is saving under this name right now (a second game or another program). Please save again in a moment:
%1</translation>
    </message>
    <message>
        <source>Diesen Namen nimmt das Dateisystem nicht an, vielleicht wegen eines Zeichens wie : * ? &quot; &lt; &gt; |. Bitte wähle einen anderen Namen:
%1</source>
        <translation>The file system does not accept this name, perhaps because of a character such as : * ? &quot; &lt; &gt; |. Please choose another name:
%1</translation>
    </message>
</context>
<context>
    <name>LauncherNote</name>
    <message>
        <source>Brummo: Ordner für Spielstände nicht beschreibbar (%1), gespeichert wird in %2.</source>
        <translation>Brummo: cannot write to the folder for saved games (%1); saving in %2 instead.</translation>
    </message>
    <message>
        <source>Brummo: Ordner für Spielstände nicht beschreibbar (%1), gespeichert wird in %2, deinem eigenen Ordner, den das System beim Abmelden leert.</source>
        <translation>Brummo: cannot write to the folder for saved games (%1); saving in %2 instead, a folder of your own that is emptied when you log out.</translation>
    </message>
    <message>
        <source>Brummo: Ordner für Spielstände nicht beschreibbar (%1), und kein anderer Ordner ist beschreibbar: Spielstände lassen sich nicht speichern.</source>
        <translation>Brummo: cannot write to the folder for saved games (%1), nor to any other folder; games cannot be saved.</translation>
    </message>
    <message>
        <source>Brummo: Ordner nicht beschreibbar (%1), gespeichert wird in %2.</source>
        <translation>Brummo: cannot write to this folder (%1); saving in %2 instead.</translation>
    </message>
    <message>
        <source>Brummo: Ordner nicht beschreibbar (%1), gespeichert wird in %2, deinem eigenen Ordner, den das System beim Abmelden leert.</source>
        <translation>Brummo: cannot write to this folder (%1); saving in %2 instead, a folder of your own that is emptied when you log out.</translation>
    </message>
    <message>
        <source>Brummo: Ordner nicht beschreibbar (%1), und kein anderer Ordner ist beschreibbar: Spielstände lassen sich nicht speichern.</source>
        <translation>Brummo: cannot write to this folder (%1), nor to any other folder; games cannot be saved.</translation>
    </message>
</context>
<context>
    <name>QtDialogs</name>
    <message>
        <source>Abbrechen</source>
        <translation>Cancel</translation>
    </message>
</context>
<context>
    <name>RegularFile</name>
    <message>
        <source>Das ist keine gewöhnliche Datei, sondern ein Gerät, eine Pipe oder ein Socket:
%1</source>
        <translation>This is a device, a pipe or a socket, not a file:
%1</translation>
    </message>
</context>
<context>
    <name>SaveFile</name>
    <message>
        <source>Hier wird nicht gespeichert: Der Name führt über einen Verweis, den auch jemand anderes angelegt haben kann (er gehört nicht dir, oder er liegt in einem Ordner, in den auch andere schreiben dürfen):
%1</source>
        <translation>Not saved: this name leads through a link that someone else may have put there (it is not yours, or it is in a folder others can write to):
%1</translation>
    </message>
    <message>
        <source>Unter diesem Namen lässt sich nicht speichern: Windows hält ihn für ein Gerät (wie CON, NUL, COM1 oder LPT1), auch mit einer Endung dahinter. Bitte wähle einen anderen Namen:
%1</source>
        <translation>Games cannot be saved under this name: Windows takes it for a device (such as CON, NUL, COM1 or LPT1), even with an extension after it. Please choose another name:
%1</translation>
    </message>
</context>
<context>
    <name>SavedGame</name>
    <message>
        <source>Die Datei ist kein Spielstand: eine Zeile ist länger als %1 Zeichen.</source>
        <translation>The file is not a saved game: a line is longer than %1 characters.</translation>
    </message>
    <message>
        <source>Die Datei konnte nicht gelesen werden: %1</source>
        <translation>The file could not be read: %1</translation>
    </message>
    <message>
        <source>Die Datei endet zu früh: ein Spielstand hat drei Zeilen.</source>
        <translation>The file ends too soon: a saved game has three lines.</translation>
    </message>
</context>
<context>
    <name>SdlAudioBackend</name>
    <message>
        <source>Musik und Geräusche</source>
        <translation>Music and sounds</translation>
    </message>
    <message>
        <source>Brummo: keine Tonausgabe (%1), das Spiel bleibt stumm.</source>
        <translation>Brummo: no sound output (%1); the game plays without sound.</translation>
    </message>
</context>
<context>
    <name>WindowsSound</name>
    <message>
        <source>Brummo: kein Fenster für die Nachrichten der Musik (Fehler %1), sie spielt nur einmal.</source>
        <translation>Brummo: no window for the music's notices (error %1); it plays only once.</translation>
    </message>
</context>
<context>
    <name>frmAbout</name>
    <message>
        <source>Dieses Spiel wurde vom Brummo-Team geschrieben. Es ist Freeware und darf unverändert an andere weitergegeben werden. Infos und Updates: brummo@example.org
https://www.example.org/brummo</source>
        <translation>This game was made by the Brummo-Team. It is freeware and may be passed on to others unchanged. More information and updates: brummo@example.org
https://www.example.org/brummo</translation>
    </message>
    <message>
        <source>Achtung: Für Schäden jeglicher Art wird keine Haftung übernommen. Die Grafiken und Töne gehören ihrem Rechteinhaber, der dieses Programm nicht autorisiert hat.</source>
        <translation>Please note: no liability is accepted for damage of any kind. The pictures and sounds belong to their rights holder, who has not authorised this program.</translation>
    </message>
    <message>
        <source>Brummo mit roter Mütze</source>
        <translation>Brummo in a red cap</translation>
    </message>
    <message>
        <source>&amp;Systeminfo...</source>
        <translation>&amp;System info...</translation>
    </message>
    <message>
        <source>Systeminformationen sind momentan nicht verfügbar</source>
        <translation>System information is not available at the moment</translation>
    </message>
    <message>
        <source>Über dieses Spiel...</source>
        <translation>About this game</translation>
    </message>
</context>
<context>
    <name>frmLoad</name>
    <message>
        <source>Ladefortschritt</source>
        <translation>Loading progress</translation>
    </message>
    <message>
        <source>Neue Versionen und Spiele gibt es auf der Webseite des Autors.</source>
        <translation>New versions and more games are on the author&apos;s website.</translation>
    </message>
    <message>
        <source>&quot;Brummo on the run&quot; wird geladen</source>
        <translation>Loading &quot;Brummo on the run&quot;</translation>
    </message>
    <message>
        <source>Flitz rennt davon, Brummo ihm nach</source>
        <translation>Flitz runs away with Brummo after him</translation>
    </message>
</context>
<context>
    <name>frmMain</name>
    <message>
        <source>Flitz, von vorn, wütend</source>
        <translation>Flitz from the front, angry</translation>
    </message>
    <message>
        <source>Flitz im Profil, nach rechts</source>
        <translation>Flitz in profile, facing right</translation>
    </message>
    <message>
        <source>Flitz als Pirat</source>
        <translation>Flitz as a pirate</translation>
    </message>
    <message>
        <source>Flitz verkleidet, mit Hut</source>
        <translation>Flitz in disguise, with a hat</translation>
    </message>
    <message>
        <source>Flitz im Profil, schreiend</source>
        <translation>Flitz in profile, shouting</translation>
    </message>
    <message>
        <source>Flitz mit Brille auf der Stirn</source>
        <translation>Flitz with glasses pushed up on his forehead</translation>
    </message>
    <message>
        <source>Flitz im Profil, nach links</source>
        <translation>Flitz in profile, facing left</translation>
    </message>
    <message>
        <source>Flitz als halber Roboter</source>
        <translation>Flitz as half a robot</translation>
    </message>
    <message>
        <source>Flitz, von vorn, zwinkernd</source>
        <translation>Flitz from the front, winking</translation>
    </message>
    <message>
        <source>Quendas Schwester mit Pferdeschwanz</source>
        <translation>Quenda&apos;s sister with a ponytail</translation>
    </message>
    <message>
        <source>Quendas Schwester mit Bubikopf</source>
        <translation>Quenda&apos;s sister with a bob</translation>
    </message>
    <message>
        <source>Polizist</source>
        <translation>Police officer</translation>
    </message>
    <message>
        <source>zweiter Polizist</source>
        <translation>Second police officer</translation>
    </message>
    <message>
        <source>Außerirdischer im Raumhelm</source>
        <translation>Alien in a space helmet</translation>
    </message>
    <message>
        <source>Dose Grolz-Bier</source>
        <translation>Can of Grolz beer</translation>
    </message>
    <message>
        <source>alter Fernseher</source>
        <translation>Old television</translation>
    </message>
    <message>
        <source>Quenda</source>
        <translation>Quenda</translation>
    </message>
    <message>
        <source>Alles klar, los gehts!!!</source>
        <translation>All right, let&apos;s go!!!</translation>
    </message>
    <message>
        <source>Über dieses Spiel</source>
        <translation>About this game</translation>
    </message>
    <message>
        <source>Spiel laden</source>
        <translation>Load game</translation>
    </message>
    <message>
        <source>Verbleibende Zeit:</source>
        <translation>Time left:</translation>
    </message>
    <message>
        <source>Verbleibende Zeit: %1</source>
        <translation>Time left: %1</translation>
    </message>
    <message>
        <source>Treffer:</source>
        <translation>Hits:</translation>
    </message>
    <message>
        <source>Treffer: %1</source>
        <translation>Hits: %1</translation>
    </message>
    <message>
        <source>Punkte:</source>
        <translation>Score:</translation>
    </message>
    <message>
        <source>Punkte: %1</source>
        <translation>Score: %1</translation>
    </message>
    <message>
        <source>Brummo on the run beenden</source>
        <translation>Quit Brummo on the run</translation>
    </message>
    <message>
        <source>Aktuelles Spiel</source>
        <translation>Current game</translation>
    </message>
    <message>
        <source>Aktuelles Spiel speichern</source>
        <translation>Save current game</translation>
    </message>
    <message>
        <source>Gespeicherte Spiele</source>
        <translation>Saved games</translation>
    </message>
    <message>
        <source>Daten</source>
        <translation>Saved games</translation>
    </message>
    <message>
        <source>Super. Ondie hauts fast um.</source>
        <translation>Wow! Ondie is blown away.</translation>
    </message>
    <message>
        <source>Ondie, verblüfft, mit erhobenen Händen</source>
        <translation>Ondie, astonished, with raised hands</translation>
    </message>
    <message>
        <source>Versuch es besser nochmal!</source>
        <translation>Try again and do better!</translation>
    </message>
    <message>
        <source>Brummo hält sich den Kopf</source>
        <translation>Brummo holding his head</translation>
    </message>
    <message>
        <source>Brummo, Flitz, Quenda, Ondie and all other characters are the property of their rights holder. All rights reserved; any reproduction or distribution is prohibited. This program is not authorised by the rights holder.</source>
        <translation>Brummo, Flitz, Quenda, Ondie and all other characters are the property of their rights holder. All rights reserved; any reproduction or distribution is prohibited. This program is not authorised by the rights holder.</translation>
    </message>
    <message>
        <source>Bonuspunkt(+2): Solltest du ein Grolz Beer, den Fernseher oder Quenda bekommen.</source>
        <translation>Plus two points (+2): if you catch a Grolz beer, the television or Quenda.</translation>
    </message>
    <message>
        <source>Minuspunkt(-1): Falls du eine von Quendas Schwestern, einen Ploizisten oder Alien triffst.</source>
        <translation>Minus one point (-1): if you hit one of Quenda&apos;s sisters, a police officer or the alien.</translation>
    </message>
    <message>
        <source>Pluspunkt(+1): Für jeden Flitz den du erwischst.</source>
        <translation>Plus one point (+1): if you catch Flitz.</translation>
    </message>
    <message>
        <source>Das Ziel des Spiels ist es, mit Brummo möglichst oft Flitz einzufangen. Flitz ist schuld, daß Brummo heute zur Arbeit muß. </source>
        <translation>The aim of the game is to catch Flitz with Brummo as often as you can. It&apos;s all Flitz&apos;s fault that Brummo has to go to work today. </translation>
    </message>
    <message>
        <source>Spielfeld: Brummos Haus, von der Straße aus</source>
        <translation>Playing field: Brummo&apos;s house, seen from the street</translation>
    </message>
    <message>
        <source>Bitte gib den Dateiname an, unter dem das aktuelle Spiel gespeichert werden soll?</source>
        <translation>Please enter the file name to save the current game under:</translation>
    </message>
    <message>
        <source>Speichern</source>
        <translation>Save</translation>
    </message>
    <message>
        <source>Fehler in der Pfadangabe</source>
        <translation>Invalid path</translation>
    </message>
    <message>
        <source>Zeile %1 des Spielstands ist keine ganze Zahl von -32768 bis 32767: „%2“</source>
        <translation>Line %1 of the saved game is not a whole number between -32768 and 32767: “%2”</translation>
    </message>
</context>
</TS>
