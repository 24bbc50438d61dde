<?xml version="1.0" encoding="utf-8"?>
<!DOCTYPE TS>
<TS version="2.1" language="de_DE">
<context>
    <name>AddLoadWidget</name>
    <message>
        <source>Form</source>
        <extracomment>window title of the form</extracomment>
        <translation>Form</translation>
    </message>
    <message>
        <source>Video is loading</source>
        <extracomment>import dialog title</extracomment>
        <translation>Videos werden geladen</translation>
    </message>
    <message>
        <source>Please wait: %1/%2</source>
        <extracomment>import progress, %1 done of %2</extracomment>
        <translation>Bitte warten: %1/%2</translation>
    </message>
    <message>
        <source>Please wait: 0/0</source>
        <extracomment>progress label as the form stores it</extracomment>
        <translation>Bitte warten: 0/0</translation>
    </message>
    <message>
        <source>The library cannot be saved: %1 of %2 files were not added.</source>
        <extracomment>import notice, library not writable: %1 files not stored of the %2 chosen</extracomment>
        <translation>Die Bibliothek kann nicht gespeichert werden: %1 von %2 Dateien wurden nicht hinzugefügt.</translation>
    </message>
    <message>
        <source>ffmpeg was not found: files were added without thumbnails.</source>
        <extracomment>import notice, ffmpeg could not be started: files listed without thumbnails</extracomment>
        <translation>ffmpeg wurde nicht gefunden: Die Dateien wurden ohne Vorschaubilder hinzugefügt.</translation>
    </message>
</context>
<context>
    <name>ChangeColorWidget</name>
    <message>
        <source>Form</source>
        <extracomment>window title of the form</extracomment>
        <translation>Form</translation>
    </message>
    <message>
        <source>重置</source>
        <extracomment>colour panel reset button</extracomment>
        <translation>Zurücksetzen</translation>
    </message>
</context>
<context>
    <name>CustomListItem</name>
    <message>
        <source>Driving events: %1</source>
        <extracomment>tooltip of the event badge of a file row, %1 the number of events</extracomment>
        <translation>Fahrereignisse: %1</translation>
    </message>
</context>
<context>
    <name>EventTimeline</name>
    <message>
        <source>Braking</source>
        <extracomment>kind of a driving event in its mark tooltip</extracomment>
        <translation>Bremsung</translation>
    </message>
    <message>
        <source>Acceleration</source>
        <extracomment>kind of a driving event in its mark tooltip</extracomment>
        <translation>Beschleunigung</translation>
    </message>
    <message>
        <source>Turn</source>
        <extracomment>kind of a driving event in its mark tooltip</extracomment>
        <translation>Kurve</translation>
    </message>
    <message>
        <source>Impact</source>
        <extracomment>kind of a driving event in its mark tooltip</extracomment>
        <translation>Aufprall</translation>
    </message>
    <message>
        <source>Speeding</source>
        <extracomment>kind of a driving event in its mark tooltip</extracomment>
        <translation>Geschwindigkeitsüberschreitung</translation>
    </message>
    <message>
        <source>%1 at %2, peak %3</source>
        <extracomment>event mark tooltip: %1 kind, %2 time m:ss, %3 peak value with unit</extracomment>
        <translation>%1 bei %2, Spitze %3</translation>
    </message>
</context>
<context>
    <name>FFmpegThread</name>
    <message>
        <source>ffmpeg_not_found</source>
        <extracomment>cut or still failed: the ffmpeg program could not be started</extracomment>
        <translation>ffmpeg wurde nicht gefunden. Bitte installieren Sie ffmpeg und versuchen Sie es erneut.</translation>
    </message>
</context>
<context>
    <name>FilesListView</name>
    <message>
        <source>Export track…</source>
        <extracomment>file list row menu: save this recording&apos;s GPS track as GPX, CSV or GeoJSON</extracomment>
        <translation>Strecke exportieren…</translation>
    </message>
    <message>
        <source>Group by trip</source>
        <extracomment>tool tip of tripsButton: show the list as trips (drives) or as files</extracomment>
        <translation>Nach Fahrten gruppieren</translation>
    </message>
    <message>
        <source>Add a folder</source>
        <extracomment>tool tip of addFolderButton, which adds every recording under a folder (e.g. a camera&apos;s card), and title of its folder dialog</extracomment>
        <translation>Ordner hinzufügen</translation>
    </message>
    <message>
        <source>Play trip</source>
        <extracomment>file list trip header menu: play the trip&apos;s recordings one after the other</extracomment>
        <translation>Fahrt abspielen</translation>
    </message>
    <message>
        <source>Form</source>
        <extracomment>window title of the form</extracomment>
        <translation>Form</translation>
    </message>
    <message>
        <source>设置</source>
        <extracomment>tool tip of setButton (visible words)</extracomment>
        <translation>Einstellungen</translation>
    </message>
    <message>
        <source>&lt;html&gt;&lt;head/&gt;&lt;body&gt;&lt;p&gt;&lt;span style=&quot; color:#ffffff;&quot;&gt;设置&lt;/span&gt;&lt;/p&gt;&lt;/body&gt;&lt;/html&gt;</source>
        <extracomment>tool tip of setButton (rich text as the form stores it)</extracomment>
        <translation>&lt;html&gt;&lt;head/&gt;&lt;body&gt;&lt;p&gt;&lt;span style=&quot; color:#ffffff;&quot;&gt;Einstellungen&lt;/span&gt;&lt;/p&gt;&lt;/body&gt;&lt;/html&gt;</translation>
    </message>
    <message>
        <source>打开文件</source>
        <extracomment>tool tip of pushButton_2 (visible words)</extracomment>
        <translation>Dateien öffnen</translation>
    </message>
    <message>
        <source>&lt;html&gt;&lt;head/&gt;&lt;body&gt;&lt;p&gt;&lt;span style=&quot; color:#ffffff;&quot;&gt;打开文件&lt;/span&gt;&lt;/p&gt;&lt;/body&gt;&lt;/html&gt;</source>
        <extracomment>tool tip of pushButton_2 (rich text as the form stores it)</extracomment>
        <translation>&lt;html&gt;&lt;head/&gt;&lt;body&gt;&lt;p&gt;&lt;span style=&quot; color:#ffffff;&quot;&gt;Dateien öffnen&lt;/span&gt;&lt;/p&gt;&lt;/body&gt;&lt;/html&gt;</translation>
    </message>
    <message>
        <source>清空列表</source>
        <extracomment>tool tip of deleteButton (visible words)</extracomment>
        <translation>Liste leeren</translation>
    </message>
    <message>
        <source>&lt;html&gt;&lt;head/&gt;&lt;body&gt;&lt;p&gt;&lt;span style=&quot; color:#ffffff;&quot;&gt;清空列表&lt;/span&gt;&lt;/p&gt;&lt;/body&gt;&lt;/html&gt;</source>
        <extracomment>tool tip of deleteButton (rich text as the form stores it)</extracomment>
        <translation>&lt;html&gt;&lt;head/&gt;&lt;body&gt;&lt;p&gt;&lt;span style=&quot; color:#ffffff;&quot;&gt;Liste leeren&lt;/span&gt;&lt;/p&gt;&lt;/body&gt;&lt;/html&gt;</translation>
    </message>
    <message>
        <source>排序</source>
        <extracomment>tool tip of pushButton_4 (visible words)</extracomment>
        <translation>Sortieren</translation>
    </message>
    <message>
        <source>&lt;html&gt;&lt;head/&gt;&lt;body&gt;&lt;p&gt;&lt;span style=&quot; color:#ffffff;&quot;&gt;排序&lt;/span&gt;&lt;/p&gt;&lt;/body&gt;&lt;/html&gt;</source>
        <extracomment>tool tip of pushButton_4 (rich text as the form stores it)</extracomment>
        <translation>&lt;html&gt;&lt;head/&gt;&lt;body&gt;&lt;p&gt;&lt;span style=&quot; color:#ffffff;&quot;&gt;Sortieren&lt;/span&gt;&lt;/p&gt;&lt;/body&gt;&lt;/html&gt;</translation>
    </message>
    <message>
        <source>listFilesForDelete</source>
        <extracomment>warning before adding to a list of more than 700 rows</extracomment>
        <translation>Die Wiedergabeliste enthält zu viele Dateien. Bitte entfernen Sie nicht benötigte Dateien, bevor Sie neue hinzufügen.</translation>
    </message>
    <message>
        <source>one_addFilesMaxNumber</source>
        <extracomment>more than 300 new files chosen</extracomment>
        <translation>Es können höchstens 300 Dateien auf einmal geladen werden; weitere Dateien werden nicht geladen.</translation>
    </message>
    <message>
        <source>selectFiles_Added</source>
        <extracomment>every chosen file is already listed</extracomment>
        <translation>Die ausgewählte Datei wurde bereits hinzugefügt</translation>
    </message>
    <message>
        <source>Video is loading</source>
        <extracomment>import dialog title given by the file list</extracomment>
        <translation>Videos werden geladen</translation>
    </message>
    <message>
        <source>Show as 360°</source>
        <extracomment>file list row menu: show this recording as a panorama (it is shown flat now)</extracomment>
        <translation>Als 360°-Ansicht anzeigen</translation>
    </message>
    <message>
        <source>Show flat</source>
        <extracomment>file list row menu: show this recording flat (it is shown as a panorama now)</extracomment>
        <translation>Flach anzeigen</translation>
    </message>
</context>
<context>
    <name>GsensorView</name>
    <message>
        <source>Form</source>
        <extracomment>window title of the form</extracomment>
        <translation>Form</translation>
    </message>
    <message>
        <source> X:0.0</source>
        <extracomment>legend entry before the first sample</extracomment>
        <translation> X:0.0</translation>
    </message>
    <message>
        <source> Y:0.0</source>
        <extracomment>legend entry before the first sample</extracomment>
        <translation> Y:0.0</translation>
    </message>
    <message>
        <source> Z:0.0</source>
        <extracomment>legend entry before the first sample</extracomment>
        <translation> Z:0.0</translation>
    </message>
</context>
<context>
    <name>HudView</name>
    <message>
        <source>no_prompt_again</source>
        <extracomment>option of the missing-frame prompt</extracomment>
        <translation>Nicht mehr anzeigen</translation>
    </message>
</context>
<context>
    <name>LogoWidget</name>
    <message>
        <source>Form</source>
        <extracomment>window title of the form</extracomment>
        <translation>Form</translation>
    </message>
    <message>
        <source>无GPS数据</source>
        <extracomment>placeholder label as the form stores it</extracomment>
        <translation>Keine GPS-Daten</translation>
    </message>
    <message>
        <source>No GPS</source>
        <extracomment>placeholder, recording without GPS</extracomment>
        <translation>Keine GPS-Daten</translation>
    </message>
    <message>
        <source>no network</source>
        <extracomment>placeholder, map service unreachable</extracomment>
        <translation>Bitte überprüfen Sie Ihre Internetverbindung</translation>
    </message>
    <message>
        <source>check networking</source>
        <extracomment>placeholder while the network is probed</extracomment>
        <translation>Verbindung wird geprüft …</translation>
    </message>
</context>
<context>
    <name>MainComposition</name>
    <message>
        <source>The video library was damaged. It was kept as %1 and a new library was started.</source>
        <extracomment>start-up notice, damaged library moved aside; %1 the kept file&apos;s name</extracomment>
        <translation>Die Videobibliothek war beschädigt. Sie wurde als %1 aufbewahrt, und eine neue Bibliothek wurde angelegt.</translation>
    </message>
    <message>
        <source>The video library cannot be saved: the app-data folder cannot be written.</source>
        <extracomment>start-up notice, the app-data folder cannot be written</extracomment>
        <translation>Die Videobibliothek kann nicht gespeichert werden: Der Datenordner der Anwendung ist nicht beschreibbar.</translation>
    </message>
</context>
<context>
    <name>MapShow</name>
    <message>
        <source>Form</source>
        <extracomment>window title of the form</extracomment>
        <translation>Form</translation>
    </message>
    <message>
        <source>No network: the route is drawn on map tiles seen before.</source>
        <extracomment>map panel notice: offline, the route drawn over the map tiles cached before</extracomment>
        <translation>Kein Netzwerk: Die Route wird auf zuvor geladenen Kartenkacheln gezeichnet.</translation>
    </message>
    <message>
        <source>The map key was refused: showing OpenStreetMap.</source>
        <extracomment>map panel notice: Google or Baidu refused the user&apos;s key</extracomment>
        <translation>Der Kartenschlüssel wurde abgelehnt: OpenStreetMap wird angezeigt.</translation>
    </message>
    <message>
        <source>The map service could not be loaded: the route is drawn without map tiles.</source>
        <extracomment>map panel notice: the map page could not load at all, only the route is drawn</extracomment>
        <translation>Der Kartendienst konnte nicht geladen werden: Die Route wird ohne Kartenkacheln gezeichnet.</translation>
    </message>
</context>
<context>
    <name>MessageInfoView</name>
    <message>
        <source>Form</source>
        <extracomment>window title of the form</extracomment>
        <translation>Form</translation>
    </message>
    <message>
        <source>Gps信息</source>
        <extracomment>tool tip of messageButton (visible words)</extracomment>
        <translation>GPS-Informationen</translation>
    </message>
    <message>
        <source>&lt;html&gt;&lt;head/&gt;&lt;body&gt;&lt;p&gt;&lt;span style=&quot; color:#ffffff;&quot;&gt;Gps信息&lt;/span&gt;&lt;/p&gt;&lt;/body&gt;&lt;/html&gt;</source>
        <extracomment>tool tip of messageButton (rich text as the form stores it)</extracomment>
        <translation>&lt;html&gt;&lt;head/&gt;&lt;body&gt;&lt;p&gt;&lt;span style=&quot; color:#ffffff;&quot;&gt;GPS-Informationen&lt;/span&gt;&lt;/p&gt;&lt;/body&gt;&lt;/html&gt;</translation>
    </message>
    <message>
        <source>播放信息</source>
        <extracomment>tool tip of gpsButton (visible words)</extracomment>
        <translation>Wiedergabeinformationen</translation>
    </message>
    <message>
        <source>&lt;html&gt;&lt;head/&gt;&lt;body&gt;&lt;p&gt;&lt;span style=&quot; color:#ffffff;&quot;&gt;播放信息&lt;/span&gt;&lt;/p&gt;&lt;/body&gt;&lt;/html&gt;</source>
        <extracomment>tool tip of gpsButton (rich text as the form stores it)</extracomment>
        <translation>&lt;html&gt;&lt;head/&gt;&lt;body&gt;&lt;p&gt;&lt;span style=&quot; color:#ffffff;&quot;&gt;Wiedergabeinformationen&lt;/span&gt;&lt;/p&gt;&lt;/body&gt;&lt;/html&gt;</translation>
    </message>
    <message>
        <source>Aev-Speed</source>
        <extracomment>GPS page caption, average speed</extracomment>
        <translation>Durchschnittstempo</translation>
    </message>
    <message>
        <source>Max-Speed</source>
        <extracomment>GPS page caption, maximum speed</extracomment>
        <translation>Höchsttempo</translation>
    </message>
    <message>
        <source>Latitude</source>
        <extracomment>GPS page caption</extracomment>
        <translation>Breitengrad</translation>
    </message>
    <message>
        <source>Longitude</source>
        <extracomment>GPS page caption</extracomment>
        <translation>Längengrad</translation>
    </message>
    <message>
        <source>Distance</source>
        <extracomment>GPS page caption, distance driven</extracomment>
        <translation>Strecke</translation>
    </message>
    <message>
        <source>0</source>
        <extracomment>value labels before the first sample</extracomment>
        <translation>0</translation>
    </message>
    <message>
        <source>0 Miles</source>
        <extracomment>distance label as the form stores it</extracomment>
        <translation>0 Meilen</translation>
    </message>
    <message>
        <source>File Name</source>
        <extracomment>play-information caption</extracomment>
        <translation>Dateiname</translation>
    </message>
    <message>
        <source>Size</source>
        <extracomment>play-information caption</extracomment>
        <translation>Größe</translation>
    </message>
    <message>
        <source>Format</source>
        <extracomment>play-information caption</extracomment>
        <translation>Format</translation>
    </message>
    <message>
        <source>Demuxer</source>
        <extracomment>play-information caption</extracomment>
        <translation>Demuxer</translation>
    </message>
    <message>
        <source>Duration</source>
        <extracomment>play-information caption</extracomment>
        <translation>Dauer</translation>
    </message>
    <message>
        <source>Pixel format</source>
        <extracomment>play-information caption</extracomment>
        <translation>Pixelformat</translation>
    </message>
    <message>
        <source>Video size</source>
        <extracomment>play-information caption</extracomment>
        <translation>Videogröße</translation>
    </message>
    <message>
        <source>Display size</source>
        <extracomment>play-information caption</extracomment>
        <translation>Anzeigegröße</translation>
    </message>
    <message>
        <source>Hwdec</source>
        <extracomment>play-information caption</extracomment>
        <translation>Hardware-Dekodierung</translation>
    </message>
    <message>
        <source>Video aspect</source>
        <extracomment>play-information caption</extracomment>
        <translation>Seitenverhältnis</translation>
    </message>
    <message>
        <source>Trip: %1 files, %2, %3</source>
        <extracomment>info panel while a trip plays: %1 files in the trip, %2 its duration, %3 its distance</extracomment>
        <translation>Fahrt: %1 Dateien, %2, %3</translation>
    </message>
    <message>
        <source>Max %1, moving average %2</source>
        <extracomment>info panel while a trip plays: %1 its top speed, %2 its average speed while moving (display unit)</extracomment>
        <translation>Max. %1, Fahrtdurchschnitt %2</translation>
    </message>
</context>
<context>
    <name>PlayerTool</name>
    <message>
        <source>Form</source>
        <extracomment>window title of the form</extracomment>
        <translation>Form</translation>
    </message>
    <message>
        <source>00:00</source>
        <extracomment>time labels as the form stores them</extracomment>
        <translation>00:00</translation>
    </message>
    <message>
        <source>缩小</source>
        <extracomment>tool tip of scaleSmall (visible words)</extracomment>
        <translation>Verkleinern</translation>
    </message>
    <message>
        <source>&lt;html&gt;&lt;head/&gt;&lt;body&gt;&lt;p&gt;&lt;span style=&quot; color:#ffffff;&quot;&gt;缩小&lt;/span&gt;&lt;/p&gt;&lt;/body&gt;&lt;/html&gt;</source>
        <extracomment>tool tip of scaleSmall (rich text as the form stores it)</extracomment>
        <translation>&lt;html&gt;&lt;head/&gt;&lt;body&gt;&lt;p&gt;&lt;span style=&quot; color:#ffffff;&quot;&gt;Verkleinern&lt;/span&gt;&lt;/p&gt;&lt;/body&gt;&lt;/html&gt;</translation>
    </message>
    <message>
        <source>放大</source>
        <extracomment>tool tip of scaleBig (visible words)</extracomment>
        <translation>Vergrößern</translation>
    </message>
    <message>
        <source>&lt;html&gt;&lt;head/&gt;&lt;body&gt;&lt;p&gt;&lt;span style=&quot; color:#ffffff;&quot;&gt;放大&lt;/span&gt;&lt;/p&gt;&lt;/body&gt;&lt;/html&gt;</source>
        <extracomment>tool tip of scaleBig (rich text as the form stores it)</extracomment>
        <translation>&lt;html&gt;&lt;head/&gt;&lt;body&gt;&lt;p&gt;&lt;span style=&quot; color:#ffffff;&quot;&gt;Vergrößern&lt;/span&gt;&lt;/p&gt;&lt;/body&gt;&lt;/html&gt;</translation>
    </message>
    <message>
        <source>抓图</source>
        <extracomment>tool tip of imageButton (visible words)</extracomment>
        <translation>Standbild aufnehmen</translation>
    </message>
    <message>
        <source>&lt;html&gt;&lt;head/&gt;&lt;body&gt;&lt;p&gt;&lt;span style=&quot; color:#ffffff;&quot;&gt;抓图&lt;/span&gt;&lt;/p&gt;&lt;/body&gt;&lt;/html&gt;</source>
        <extracomment>tool tip of imageButton (rich text as the form stores it)</extracomment>
        <translation>&lt;html&gt;&lt;head/&gt;&lt;body&gt;&lt;p&gt;&lt;span style=&quot; color:#ffffff;&quot;&gt;Standbild aufnehmen&lt;/span&gt;&lt;/p&gt;&lt;/body&gt;&lt;/html&gt;</translation>
    </message>
    <message>
        <source>视频编辑</source>
        <extracomment>tool tip of cutButton (visible words)</extracomment>
        <translation>Video schneiden</translation>
    </message>
    <message>
        <source>&lt;html&gt;&lt;head/&gt;&lt;body&gt;&lt;p&gt;&lt;span style=&quot; color:#ffffff;&quot;&gt;视频编辑&lt;/span&gt;&lt;/p&gt;&lt;/body&gt;&lt;/html&gt;</source>
        <extracomment>tool tip of cutButton (rich text as the form stores it)</extracomment>
        <translation>&lt;html&gt;&lt;head/&gt;&lt;body&gt;&lt;p&gt;&lt;span style=&quot; color:#ffffff;&quot;&gt;Video schneiden&lt;/span&gt;&lt;/p&gt;&lt;/body&gt;&lt;/html&gt;</translation>
    </message>
    <message>
        <source>调色</source>
        <extracomment>tool tip of colorButton (visible words)</extracomment>
        <translation>Bildeinstellungen</translation>
    </message>
    <message>
        <source>&lt;html&gt;&lt;head/&gt;&lt;body&gt;&lt;p&gt;&lt;span style=&quot; color:#ffffff;&quot;&gt;调色&lt;/span&gt;&lt;/p&gt;&lt;/body&gt;&lt;/html&gt;</source>
        <extracomment>tool tip of colorButton (rich text as the form stores it)</extracomment>
        <translation>&lt;html&gt;&lt;head/&gt;&lt;body&gt;&lt;p&gt;&lt;span style=&quot; color:#ffffff;&quot;&gt;Bildeinstellungen&lt;/span&gt;&lt;/p&gt;&lt;/body&gt;&lt;/html&gt;</translation>
    </message>
    <message>
        <source>循环播放</source>
        <extracomment>tool tip of replayButton (visible words)</extracomment>
        <translation>Wiederholung</translation>
    </message>
    <message>
        <source>&lt;html&gt;&lt;head/&gt;&lt;body&gt;&lt;p&gt;&lt;span style=&quot; color:#ffffff;&quot;&gt;循环播放&lt;/span&gt;&lt;/p&gt;&lt;/body&gt;&lt;/html&gt;</source>
        <extracomment>tool tip of replayButton (rich text as the form stores it)</extracomment>
        <translation>&lt;html&gt;&lt;head/&gt;&lt;body&gt;&lt;p&gt;&lt;span style=&quot; color:#ffffff;&quot;&gt;Wiederholung&lt;/span&gt;&lt;/p&gt;&lt;/body&gt;&lt;/html&gt;</translation>
    </message>
    <message>
        <source>上一段</source>
        <extracomment>tool tip of previousButton (visible words)</extracomment>
        <translation>Vorheriges Video</translation>
    </message>
    <message>
        <source>&lt;html&gt;&lt;head/&gt;&lt;body&gt;&lt;p&gt;&lt;span style=&quot; color:#ffffff;&quot;&gt;上一段&lt;/span&gt;&lt;/p&gt;&lt;/body&gt;&lt;/html&gt;</source>
        <extracomment>tool tip of previousButton (rich text as the form stores it)</extracomment>
        <translation>&lt;html&gt;&lt;head/&gt;&lt;body&gt;&lt;p&gt;&lt;span style=&quot; color:#ffffff;&quot;&gt;Vorheriges Video&lt;/span&gt;&lt;/p&gt;&lt;/body&gt;&lt;/html&gt;</translation>
    </message>
    <message>
        <source>播放/暂停</source>
        <extracomment>tool tip of playButton (visible words)</extracomment>
        <translation>Wiedergabe/Pause</translation>
    </message>
    <message>
        <source>&lt;html&gt;&lt;head/&gt;&lt;body&gt;&lt;p&gt;&lt;span style=&quot; color:#ffffff;&quot;&gt;播放/暂停&lt;/span&gt;&lt;/p&gt;&lt;/body&gt;&lt;/html&gt;</source>
        <extracomment>tool tip of playButton (rich text as the form stores it)</extracomment>
        <translation>&lt;html&gt;&lt;head/&gt;&lt;body&gt;&lt;p&gt;&lt;span style=&quot; color:#ffffff;&quot;&gt;Wiedergabe/Pause&lt;/span&gt;&lt;/p&gt;&lt;/body&gt;&lt;/html&gt;</translation>
    </message>
    <message>
        <source>下一段</source>
        <extracomment>tool tip of nextButton (visible words)</extracomment>
        <translation>Nächstes Video</translation>
    </message>
    <message>
        <source>&lt;html&gt;&lt;head/&gt;&lt;body&gt;&lt;p&gt;&lt;span style=&quot; color:#ffffff;&quot;&gt;下一段&lt;/span&gt;&lt;/p&gt;&lt;/body&gt;&lt;/html&gt;</source>
        <extracomment>tool tip of nextButton (rich text as the form stores it)</extracomment>
        <translation>&lt;html&gt;&lt;head/&gt;&lt;body&gt;&lt;p&gt;&lt;span style=&quot; color:#ffffff;&quot;&gt;Nächstes Video&lt;/span&gt;&lt;/p&gt;&lt;/body&gt;&lt;/html&gt;</translation>
    </message>
    <message>
        <source>音量</source>
        <extracomment>tool tip of volumeButton (visible words)</extracomment>
        <translation>Lautstärke</translation>
    </message>
    <message>
        <source>&lt;html&gt;&lt;head/&gt;&lt;body&gt;&lt;p&gt;&lt;span style=&quot; color:#ffffff;&quot;&gt;音量&lt;/span&gt;&lt;/p&gt;&lt;/body&gt;&lt;/html&gt;</source>
        <extracomment>tool tip of volumeButton (rich text as the form stores it)</extracomment>
        <translation>&lt;html&gt;&lt;head/&gt;&lt;body&gt;&lt;p&gt;&lt;span style=&quot; color:#ffffff;&quot;&gt;Lautstärke&lt;/span&gt;&lt;/p&gt;&lt;/body&gt;&lt;/html&gt;</translation>
    </message>
    <message>
        <source>播放速度</source>
        <extracomment>tool tip of playSpeedButton (visible words)</extracomment>
        <translation>Wiedergabegeschwindigkeit</translation>
    </message>
    <message>
        <source>&lt;html&gt;&lt;head/&gt;&lt;body&gt;&lt;p&gt;&lt;span style=&quot; color:#ffffff;&quot;&gt;播放速度&lt;/span&gt;&lt;/p&gt;&lt;/body&gt;&lt;/html&gt;</source>
        <extracomment>tool tip of playSpeedButton (rich text as the form stores it)</extracomment>
        <translation>&lt;html&gt;&lt;head/&gt;&lt;body&gt;&lt;p&gt;&lt;span style=&quot; color:#ffffff;&quot;&gt;Wiedergabegeschwindigkeit&lt;/span&gt;&lt;/p&gt;&lt;/body&gt;&lt;/html&gt;</translation>
    </message>
    <message>
        <source>全屏/退出全屏</source>
        <extracomment>tool tip of fullButton (visible words)</extracomment>
        <translation>Vollbild/Vollbild beenden</translation>
    </message>
    <message>
        <source>&lt;html&gt;&lt;head/&gt;&lt;body&gt;&lt;p&gt;&lt;span style=&quot; color:#ffffff;&quot;&gt;全屏/退出全屏&lt;/span&gt;&lt;/p&gt;&lt;/body&gt;&lt;/html&gt;</source>
        <extracomment>tool tip of fullButton (rich text as the form stores it)</extracomment>
        <translation>&lt;html&gt;&lt;head/&gt;&lt;body&gt;&lt;p&gt;&lt;span style=&quot; color:#ffffff;&quot;&gt;Vollbild/Vollbild beenden&lt;/span&gt;&lt;/p&gt;&lt;/body&gt;&lt;/html&gt;</translation>
    </message>
    <message>
        <source>全景模式</source>
        <extracomment>tool tip of play360 (visible words)</extracomment>
        <translation>Panoramamodus</translation>
    </message>
    <message>
        <source>&lt;html&gt;&lt;head/&gt;&lt;body&gt;&lt;p&gt;&lt;span style=&quot; color:#ffffff;&quot;&gt;全景模式&lt;/span&gt;&lt;/p&gt;&lt;/body&gt;&lt;/html&gt;</source>
        <extracomment>tool tip of play360 (rich text as the form stores it)</extracomment>
        <translation>&lt;html&gt;&lt;head/&gt;&lt;body&gt;&lt;p&gt;&lt;span style=&quot; color:#ffffff;&quot;&gt;Panoramamodus&lt;/span&gt;&lt;/p&gt;&lt;/body&gt;&lt;/html&gt;</translation>
    </message>
    <message>
        <source>cutimage_Success</source>
        <extracomment>still capture written</extracomment>
        <translation>Standbild gespeichert</translation>
    </message>
    <message>
        <source>cutimage_fail</source>
        <extracomment>still capture failed</extracomment>
        <translation>Standbild konnte nicht gespeichert werden</translation>
    </message>
    <message>
        <source>list_play</source>
        <extracomment>loop button tool tip, whole list</extracomment>
        <translation>Liste wiederholen</translation>
    </message>
    <message>
        <source>one_play</source>
        <extracomment>loop button tool tip, one recording</extracomment>
        <translation>Video wiederholen</translation>
    </message>
    <message>
        <source>saveFilePath_noSet</source>
        <extracomment>capture or cut without a usable save folder</extracomment>
        <translation>Der Speicherordner existiert nicht. Bitte legen Sie ihn erneut fest.</translation>
    </message>
    <message>
        <source>userTapToolButtonChangeModel</source>
        <extracomment>panorama button while smoothness first is chosen</extracomment>
        <translation>Bitte wechseln Sie zuerst in den Modus „Leistungsoptimiert“ und dann den Panoramamodus.</translation>
    </message>
</context>
<context>
    <name>QObject</name>
    <message>
        <source>Video_missing_frame</source>
        <extracomment>decoding falls behind (dropped frames)</extracomment>
        <translation>Die Videodekodierung ist zu langsam, die Wiedergabe ist möglicherweise nicht flüssig. Schließen Sie einige Programme oder wechseln Sie den Wiedergabemodus und versuchen Sie es erneut.</translation>
    </message>
</context>
<context>
    <name>SetWidget</name>
    <message>
        <source>Form</source>
        <extracomment>window title of the form</extracomment>
        <translation>Form</translation>
    </message>
    <message>
        <source>速度单位</source>
        <extracomment>heading</extracomment>
        <translation>Geschwindigkeitseinheit</translation>
    </message>
    <message>
        <source>  KMH</source>
        <extracomment>speed unit 0</extracomment>
        <translation>  km/h</translation>
    </message>
    <message>
        <source>  PMH</source>
        <extracomment>speed unit 1</extracomment>
        <translation>  mph</translation>
    </message>
    <message>
        <source>经纬度</source>
        <extracomment>heading</extracomment>
        <translation>Koordinaten</translation>
    </message>
    <message>
        <source>  度/分/秒</source>
        <extracomment>coordinate format 0</extracomment>
        <translation>  Grad/Minuten/Sekunden</translation>
    </message>
    <message>
        <source>  小数点显示</source>
        <extracomment>coordinate format 1</extracomment>
        <translation>  Dezimalgrad</translation>
    </message>
    <message>
        <source>地图</source>
        <extracomment>heading</extracomment>
        <translation>Karte</translation>
    </message>
    <message>
        <source>  Google Map</source>
        <extracomment>map type 0</extracomment>
        <translation>  Google Maps</translation>
    </message>
    <message>
        <source>  百度地图</source>
        <extracomment>map type 1</extracomment>
        <translation>  Baidu Maps</translation>
    </message>
    <message>
        <source>OpenStreetMap</source>
        <extracomment>map type 2 (a name: kept as is)</extracomment>
        <translation>OpenStreetMap</translation>
    </message>
    <message>
        <source>Key</source>
        <extracomment>label of the key field of the chosen map (Google or Baidu)</extracomment>
        <translation>Schlüssel</translation>
    </message>
    <message>
        <source>Without a key the map shows OpenStreetMap</source>
        <extracomment>placeholder of the map key field</extracomment>
        <translation>Ohne Schlüssel zeigt die Karte OpenStreetMap</translation>
    </message>
    <message>
        <source>播放模式</source>
        <extracomment>heading</extracomment>
        <translation>Wiedergabemodus</translation>
    </message>
    <message>
        <source>  单路播放</source>
        <extracomment>play mode 0</extracomment>
        <translation>  Ein Kanal</translation>
    </message>
    <message>
        <source>  双路播放</source>
        <extracomment>play mode 1</extracomment>
        <translation>  Zwei Kanäle</translation>
    </message>
    <message>
        <source>  三路播放</source>
        <extracomment>play mode 2</extracomment>
        <translation>  Drei Kanäle</translation>
    </message>
    <message>
        <source>  四路播放</source>
        <extracomment>play mode 3</extracomment>
        <translation>  Vier Kanäle</translation>
    </message>
    <message>
        <source>注意：多路播放可能会号致电脑运行速度交慢。</source>
        <extracomment>note under the play modes</extracomment>
        <translation>Hinweis: Die Mehrkanalwiedergabe kann den Computer verlangsamen.</translation>
    </message>
    <message>
        <source>文件保存路径</source>
        <extracomment>heading</extracomment>
        <translation>Speicherort</translation>
    </message>
    <message>
        <source>设置保存路径</source>
        <extracomment>save folder label before one is chosen</extracomment>
        <translation>Speicherort festlegen</translation>
    </message>
    <message>
        <source>选择路径</source>
        <extracomment>tool tip of openPathButton</extracomment>
        <translation>Ordner auswählen</translation>
    </message>
    <message>
        <source>语言</source>
        <extracomment>heading</extracomment>
        <translation>Sprache</translation>
    </message>
    <message>
        <source>播放性能</source>
        <extracomment>heading</extracomment>
        <translation>Wiedergabeleistung</translation>
    </message>
    <message>
        <source> 性能优先</source>
        <extracomment>player type 0</extracomment>
        <translation> Leistungsoptimiert</translation>
    </message>
    <message>
        <source>流畅优先</source>
        <extracomment>player type 1</extracomment>
        <translation>Flüssige Wiedergabe</translation>
    </message>
    <message>
        <source>China</source>
        <extracomment>language list entry, always in its own language</extracomment>
        <translation>简体中文</translation>
    </message>
    <message>
        <source>English</source>
        <extracomment>language list entry, always in its own language</extracomment>
        <translation>English</translation>
    </message>
    <message>
        <source>French</source>
        <extracomment>language list entry, always in its own language</extracomment>
        <translation>Français</translation>
    </message>
    <message>
        <source>Deutsch</source>
        <extracomment>language list entry, always in its own language</extracomment>
        <translation>Deutsch</translation>
    </message>
    <message>
        <source>Italiano</source>
        <extracomment>language list entry, always in its own language</extracomment>
        <translation>Italiano</translation>
    </message>
    <message>
        <source>Japan</source>
        <extracomment>language list entry, always in its own language</extracomment>
        <translation>日本語</translation>
    </message>
    <message>
        <source>Korean</source>
        <extracomment>language list entry, always in its own language</extracomment>
        <translation>한국어</translation>
    </message>
    <message>
        <source>POLISH</source>
        <extracomment>language list entry, always in its own language</extracomment>
        <translation>Polski</translation>
    </message>
    <message>
        <source>Russian</source>
        <extracomment>language list entry, always in its own language</extracomment>
        <translation>Русский</translation>
    </message>
    <message>
        <source>Spanish</source>
        <extracomment>language list entry, always in its own language</extracomment>
        <translation>Español</translation>
    </message>
    <message>
        <source>UserChangePlayerType</source>
        <extracomment>player type change needs a restart</extracomment>
        <translation>Die Änderung der Wiedergabeleistung wird erst nach einem Neustart des Players wirksam.</translation>
    </message>
    <message>
        <source>Version: %1</source>
        <extracomment>about page, %1 the version</extracomment>
        <translation>Version: %1</translation>
    </message>
    <message>
        <source>KELMORA PLAYER</source>
        <extracomment>product caption (a name: kept as is)</extracomment>
        <translation>KELMORA PLAYER</translation>
    </message>
    <message>
        <source>Website: www.kelmora.example</source>
        <extracomment>about page, web site line</extracomment>
        <translation>Website: www.kelmora.example</translation>
    </message>
    <message>
        <source>Technical support: support@kelmora.example</source>
        <extracomment>about page, support address line</extracomment>
        <translation>Technischer Support: support@kelmora.example</translation>
    </message>
    <message>
        <source>Copyright © %1 Kelmora. All rights reserved.</source>
        <extracomment>about page, %1 the current year</extracomment>
        <translation>Copyright © %1 Kelmora. Alle Rechte vorbehalten.</translation>
    </message>
    <message>
        <source>Driving events</source>
        <extracomment>settings heading of the event limits</extracomment>
        <translation>Fahrereignisse</translation>
    </message>
    <message>
        <source>Braking (g)</source>
        <extracomment>label of the braking limit field</extracomment>
        <translation>Bremsung (g)</translation>
    </message>
    <message>
        <source>Acceleration (g)</source>
        <extracomment>label of the acceleration limit field</extracomment>
        <translation>Beschleunigung (g)</translation>
    </message>
    <message>
        <source>Turn (g)</source>
        <extracomment>label of the turn limit field</extracomment>
        <translation>Kurve (g)</translation>
    </message>
    <message>
        <source>Impact (g)</source>
        <extracomment>label of the impact limit field</extracomment>
        <translation>Aufprall (g)</translation>
    </message>
    <message>
        <source>Speed limit</source>
        <extracomment>label of the speed limit field</extracomment>
        <translation>Tempolimit</translation>
    </message>
    <message>
        <source>0 turns speeding events off</source>
        <extracomment>tooltip of the speed limit field</extracomment>
        <translation>0 schaltet Geschwindigkeitsereignisse ab</translation>
    </message>
</context>
<context>
    <name>SpeedDial</name>
    <message>
        <source>Form</source>
        <extracomment>window title of the form</extracomment>
        <translation>Form</translation>
    </message>
</context>
<context>
    <name>SpeedPlayWidget</name>
    <message>
        <source>Form</source>
        <extracomment>window title of the form</extracomment>
        <translation>Form</translation>
    </message>
    <message>
        <source>4X</source>
        <extracomment>speed button</extracomment>
        <translation>4X</translation>
    </message>
    <message>
        <source>2X</source>
        <extracomment>speed button</extracomment>
        <translation>2X</translation>
    </message>
    <message>
        <source>1X</source>
        <extracomment>speed button</extracomment>
        <translation>1X</translation>
    </message>
    <message>
        <source>1/2X</source>
        <extracomment>speed button</extracomment>
        <translation>1/2X</translation>
    </message>
    <message>
        <source>1/4X</source>
        <extracomment>speed button</extracomment>
        <translation>1/4X</translation>
    </message>
</context>
<context>
    <name>ImportFlow</name>
    <message>
        <source>Files that could not be added: %1</source>
        <extracomment>import report heading above the list of refused files with their reasons; %1 is how many</extracomment>
        <translation>Nicht hinzugefügte Dateien: %1</translation>
    </message>
</context>
<context>
    <name>ThumbnailMaker</name>
    <message>
        <source>unreadable</source>
        <extracomment>import: a file that could not be read (missing, empty or not a file)</extracomment>
        <translation>nicht lesbar</translation>
    </message>
    <message>
        <source>not a recording</source>
        <extracomment>import: a file that is no video recording</extracomment>
        <translation>keine Aufnahme</translation>
    </message>
    <message>
        <source>no picture</source>
        <extracomment>import: a recording whose picture could not be decoded</extracomment>
        <translation>kein Bild</translation>
    </message>
</context>
<context>
    <name>TrackExporter</name>
    <message>
        <source>CSV table (*.csv)</source>
        <extracomment>save dialog file type: the track as a table, one row per second</extracomment>
        <translation>CSV-Tabelle (*.csv)</translation>
    </message>
    <message>
        <source>Export track</source>
        <extracomment>title of the save dialog and of its error message</extracomment>
        <translation>Strecke exportieren</translation>
    </message>
    <message>
        <source>GPX track (*.gpx)</source>
        <extracomment>save dialog file type: the track for GPS programs</extracomment>
        <translation>GPX-Strecke (*.gpx)</translation>
    </message>
    <message>
        <source>GeoJSON (*.geojson)</source>
        <extracomment>save dialog file type: the track for web maps</extracomment>
        <translation>GeoJSON (*.geojson)</translation>
    </message>
    <message>
        <source>The track could not be saved as %1: %2</source>
        <extracomment>error after the save dialog: %1 the chosen file, %2 the system&apos;s reason</extracomment>
        <translation>Die Strecke konnte nicht als %1 gespeichert werden: %2</translation>
    </message>
</context>
<context>
    <name>TripHeaderRow</name>
    <message>
        <source>%1  %2 local time</source>
        <extracomment>trip header: %1 date, %2 start–end time, in the computer&apos;s time zone</extracomment>
        <translation>%1  %2 Ortszeit</translation>
    </message>
    <message>
        <source>Files: %1</source>
        <extracomment>trip header: how many files (every channel) the trip holds</extracomment>
        <translation>Dateien: %1</translation>
    </message>
    <message>
        <source>Recording without a date</source>
        <extracomment>trip header of a recording whose time is unknown</extracomment>
        <translation>Aufnahme ohne Datum</translation>
    </message>
</context>
<context>
    <name>Video360ModelType</name>
    <message>
        <source>Form</source>
        <extracomment>window title of the form</extracomment>
        <translation>Form</translation>
    </message>
</context>
<context>
    <name>VideoEdit</name>
    <message>
        <source>Form</source>
        <extracomment>window title of the form</extracomment>
        <translation>Form</translation>
    </message>
    <message>
        <source>视频编辑</source>
        <extracomment>dialog title</extracomment>
        <translation>Video schneiden</translation>
    </message>
    <message>
        <source>视频轨迹</source>
        <extracomment>heading of the track choice</extracomment>
        <translation>Spuren</translation>
    </message>
    <message>
        <source>  视频轨道</source>
        <extracomment>keep the video track</extracomment>
        <translation>  Videospur</translation>
    </message>
    <message>
        <source>  音频轨道</source>
        <extracomment>keep the audio track</extracomment>
        <translation>  Audiospur</translation>
    </message>
    <message>
        <source>00:00</source>
        <extracomment>start label as the form stores it</extracomment>
        <translation>00:00</translation>
    </message>
    <message>
        <source>Original Resolution</source>
        <extracomment>resolution button, followed by the size estimate</extracomment>
        <translation>Originalauflösung</translation>
    </message>
    <message>
        <source>cutVideo_Success</source>
        <extracomment>cut written</extracomment>
        <translation>Video erfolgreich geschnitten</translation>
    </message>
    <message>
        <source>cutVideo_Fail</source>
        <extracomment>cut failed</extracomment>
        <translation>Schneiden fehlgeschlagen</translation>
    </message>
    <message>
        <source>Show speed, time and position on the video</source>
        <extracomment>cut option: burn speed, time and position into the picture</extracomment>
        <translation>Geschwindigkeit, Uhrzeit und Position im Video anzeigen</translation>
    </message>
    <message>
        <source>Save the track beside the cut</source>
        <extracomment>cut option: write GPX and CSV of the range next to the cut</extracomment>
        <translation>Strecke neben dem Schnitt speichern</translation>
    </message>
</context>
<context>
    <name>VideoView</name>
    <message>
        <source>Form</source>
        <extracomment>window title of the form</extracomment>
        <translation>Form</translation>
    </message>
    <message>
        <source>select_files_No_Has</source>
        <extracomment>chosen recording is missing</extracomment>
        <translation>Die Datei wurde verschoben oder gelöscht</translation>
    </message>
    <message>
        <source>video_cannot_play</source>
        <extracomment>the chosen recording is damaged or not a video</extracomment>
        <translation>Diese Aufnahme kann nicht abgespielt werden</translation>
    </message>
</context>
<context>
    <name>VolumeWidget</name>
    <message>
        <source>Form</source>
        <extracomment>window title of the form</extracomment>
        <translation>Form</translation>
    </message>
</context>
</TS>
