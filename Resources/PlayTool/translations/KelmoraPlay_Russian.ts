<?xml version="1.0" encoding="utf-8"?>
<!DOCTYPE TS>
<TS version="2.1" language="ru_RU">
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
        <translation>Загрузка видео</translation>
    </message>
    <message>
        <source>Please wait: %1/%2</source>
        <extracomment>import progress, %1 done of %2</extracomment>
        <translation>Подождите: %1/%2</translation>
    </message>
    <message>
        <source>Please wait: 0/0</source>
        <extracomment>progress label as the form stores it</extracomment>
        <translation>Подождите: 0/0</translation>
    </message>
    <message>
        <source>The library cannot be saved: %1 of %2 files were not added.</source>
        <extracomment>import notice, library not writable: %1 files not stored of the %2 chosen</extracomment>
        <translation>Не удаётся сохранить библиотеку: не добавлено файлов: %1 из %2.</translation>
    </message>
    <message>
        <source>ffmpeg was not found: files were added without thumbnails.</source>
        <extracomment>import notice, ffmpeg could not be started: files listed without thumbnails</extracomment>
        <translation>Программа ffmpeg не найдена: файлы добавлены без миниатюр.</translation>
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
        <translation>Сбросить</translation>
    </message>
</context>
<context>
    <name>CustomListItem</name>
    <message>
        <source>Driving events: %1</source>
        <extracomment>tooltip of the event badge of a file row, %1 the number of events</extracomment>
        <translation>События вождения: %1</translation>
    </message>
</context>
<context>
    <name>EventTimeline</name>
    <message>
        <source>Braking</source>
        <extracomment>kind of a driving event in its mark tooltip</extracomment>
        <translation>Торможение</translation>
    </message>
    <message>
        <source>Acceleration</source>
        <extracomment>kind of a driving event in its mark tooltip</extracomment>
        <translation>Ускорение</translation>
    </message>
    <message>
        <source>Turn</source>
        <extracomment>kind of a driving event in its mark tooltip</extracomment>
        <translation>Поворот</translation>
    </message>
    <message>
        <source>Impact</source>
        <extracomment>kind of a driving event in its mark tooltip</extracomment>
        <translation>Удар</translation>
    </message>
    <message>
        <source>Speeding</source>
        <extracomment>kind of a driving event in its mark tooltip</extracomment>
        <translation>Превышение скорости</translation>
    </message>
    <message>
        <source>%1 at %2, peak %3</source>
        <extracomment>event mark tooltip: %1 kind, %2 time m:ss, %3 peak value with unit</extracomment>
        <translation>%1 в %2, пик %3</translation>
    </message>
</context>
<context>
    <name>FFmpegThread</name>
    <message>
        <source>ffmpeg_not_found</source>
        <extracomment>cut or still failed: the ffmpeg program could not be started</extracomment>
        <translation>Программа ffmpeg не найдена. Установите ffmpeg и повторите попытку.</translation>
    </message>
</context>
<context>
    <name>FilesListView</name>
    <message>
        <source>Export track…</source>
        <extracomment>file list row menu: save this recording&apos;s GPS track as GPX, CSV or GeoJSON</extracomment>
        <translation>Экспортировать трек…</translation>
    </message>
    <message>
        <source>Group by trip</source>
        <extracomment>tool tip of tripsButton: show the list as trips (drives) or as files</extracomment>
        <translation>Группировать по поездкам</translation>
    </message>
    <message>
        <source>Add a folder</source>
        <extracomment>tool tip of addFolderButton, which adds every recording under a folder (e.g. a camera&apos;s card), and title of its folder dialog</extracomment>
        <translation>Добавить папку</translation>
    </message>
    <message>
        <source>Play trip</source>
        <extracomment>file list trip header menu: play the trip&apos;s recordings one after the other</extracomment>
        <translation>Воспроизвести поездку</translation>
    </message>
    <message>
        <source>Form</source>
        <extracomment>window title of the form</extracomment>
        <translation>Form</translation>
    </message>
    <message>
        <source>设置</source>
        <extracomment>tool tip of setButton (visible words)</extracomment>
        <translation>Настройки</translation>
    </message>
    <message>
        <source>&lt;html&gt;&lt;head/&gt;&lt;body&gt;&lt;p&gt;&lt;span style=&quot; color:#ffffff;&quot;&gt;设置&lt;/span&gt;&lt;/p&gt;&lt;/body&gt;&lt;/html&gt;</source>
        <extracomment>tool tip of setButton (rich text as the form stores it)</extracomment>
        <translation>&lt;html&gt;&lt;head/&gt;&lt;body&gt;&lt;p&gt;&lt;span style=&quot; color:#ffffff;&quot;&gt;Настройки&lt;/span&gt;&lt;/p&gt;&lt;/body&gt;&lt;/html&gt;</translation>
    </message>
    <message>
        <source>打开文件</source>
        <extracomment>tool tip of pushButton_2 (visible words)</extracomment>
        <translation>Открыть файлы</translation>
    </message>
    <message>
        <source>&lt;html&gt;&lt;head/&gt;&lt;body&gt;&lt;p&gt;&lt;span style=&quot; color:#ffffff;&quot;&gt;打开文件&lt;/span&gt;&lt;/p&gt;&lt;/body&gt;&lt;/html&gt;</source>
        <extracomment>tool tip of pushButton_2 (rich text as the form stores it)</extracomment>
        <translation>&lt;html&gt;&lt;head/&gt;&lt;body&gt;&lt;p&gt;&lt;span style=&quot; color:#ffffff;&quot;&gt;Открыть файлы&lt;/span&gt;&lt;/p&gt;&lt;/body&gt;&lt;/html&gt;</translation>
    </message>
    <message>
        <source>清空列表</source>
        <extracomment>tool tip of deleteButton (visible words)</extracomment>
        <translation>Очистить список</translation>
    </message>
    <message>
        <source>&lt;html&gt;&lt;head/&gt;&lt;body&gt;&lt;p&gt;&lt;span style=&quot; color:#ffffff;&quot;&gt;清空列表&lt;/span&gt;&lt;/p&gt;&lt;/body&gt;&lt;/html&gt;</source>
        <extracomment>tool tip of deleteButton (rich text as the form stores it)</extracomment>
        <translation>&lt;html&gt;&lt;head/&gt;&lt;body&gt;&lt;p&gt;&lt;span style=&quot; color:#ffffff;&quot;&gt;Очистить список&lt;/span&gt;&lt;/p&gt;&lt;/body&gt;&lt;/html&gt;</translation>
    </message>
    <message>
        <source>排序</source>
        <extracomment>tool tip of pushButton_4 (visible words)</extracomment>
        <translation>Сортировать</translation>
    </message>
    <message>
        <source>&lt;html&gt;&lt;head/&gt;&lt;body&gt;&lt;p&gt;&lt;span style=&quot; color:#ffffff;&quot;&gt;排序&lt;/span&gt;&lt;/p&gt;&lt;/body&gt;&lt;/html&gt;</source>
        <extracomment>tool tip of pushButton_4 (rich text as the form stores it)</extracomment>
        <translation>&lt;html&gt;&lt;head/&gt;&lt;body&gt;&lt;p&gt;&lt;span style=&quot; color:#ffffff;&quot;&gt;Сортировать&lt;/span&gt;&lt;/p&gt;&lt;/body&gt;&lt;/html&gt;</translation>
    </message>
    <message>
        <source>listFilesForDelete</source>
        <extracomment>warning before adding to a list of more than 700 rows</extracomment>
        <translation>В списке воспроизведения слишком много файлов. Удалите лишние файлы, прежде чем добавлять новые.</translation>
    </message>
    <message>
        <source>one_addFilesMaxNumber</source>
        <extracomment>more than 300 new files chosen</extracomment>
        <translation>За один раз можно загрузить не более 300 файлов; остальные файлы загружены не будут.</translation>
    </message>
    <message>
        <source>selectFiles_Added</source>
        <extracomment>every chosen file is already listed</extracomment>
        <translation>Выбранный файл уже добавлен</translation>
    </message>
    <message>
        <source>Video is loading</source>
        <extracomment>import dialog title given by the file list</extracomment>
        <translation>Загрузка видео</translation>
    </message>
    <message>
        <source>Show as 360°</source>
        <extracomment>file list row menu: show this recording as a panorama (it is shown flat now)</extracomment>
        <translation>Показать в режиме 360°</translation>
    </message>
    <message>
        <source>Show flat</source>
        <extracomment>file list row menu: show this recording flat (it is shown as a panorama now)</extracomment>
        <translation>Показать в плоском виде</translation>
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
        <translation>Больше не показывать</translation>
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
        <translation>Нет данных GPS</translation>
    </message>
    <message>
        <source>No GPS</source>
        <extracomment>placeholder, recording without GPS</extracomment>
        <translation>Нет данных GPS</translation>
    </message>
    <message>
        <source>no network</source>
        <extracomment>placeholder, map service unreachable</extracomment>
        <translation>Проверьте подключение к Интернету</translation>
    </message>
    <message>
        <source>check networking</source>
        <extracomment>placeholder while the network is probed</extracomment>
        <translation>Проверка подключения…</translation>
    </message>
</context>
<context>
    <name>MainComposition</name>
    <message>
        <source>The video library was damaged. It was kept as %1 and a new library was started.</source>
        <extracomment>start-up notice, damaged library moved aside; %1 the kept file&apos;s name</extracomment>
        <translation>Библиотека видео была повреждена. Она сохранена как %1, создана новая библиотека.</translation>
    </message>
    <message>
        <source>The video library cannot be saved: the app-data folder cannot be written.</source>
        <extracomment>start-up notice, the app-data folder cannot be written</extracomment>
        <translation>Не удаётся сохранить библиотеку видео: нет доступа на запись к папке данных приложения.</translation>
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
        <translation>Нет сети: маршрут отображается на ранее загруженных фрагментах карты.</translation>
    </message>
    <message>
        <source>The map key was refused: showing OpenStreetMap.</source>
        <extracomment>map panel notice: Google or Baidu refused the user&apos;s key</extracomment>
        <translation>Ключ карты отклонён: показана карта OpenStreetMap.</translation>
    </message>
    <message>
        <source>The map service could not be loaded: the route is drawn without map tiles.</source>
        <extracomment>map panel notice: the map page could not load at all, only the route is drawn</extracomment>
        <translation>Не удалось загрузить картографический сервис: маршрут отображается без карты.</translation>
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
        <translation>Данные GPS</translation>
    </message>
    <message>
        <source>&lt;html&gt;&lt;head/&gt;&lt;body&gt;&lt;p&gt;&lt;span style=&quot; color:#ffffff;&quot;&gt;Gps信息&lt;/span&gt;&lt;/p&gt;&lt;/body&gt;&lt;/html&gt;</source>
        <extracomment>tool tip of messageButton (rich text as the form stores it)</extracomment>
        <translation>&lt;html&gt;&lt;head/&gt;&lt;body&gt;&lt;p&gt;&lt;span style=&quot; color:#ffffff;&quot;&gt;Данные GPS&lt;/span&gt;&lt;/p&gt;&lt;/body&gt;&lt;/html&gt;</translation>
    </message>
    <message>
        <source>播放信息</source>
        <extracomment>tool tip of gpsButton (visible words)</extracomment>
        <translation>Сведения о воспроизведении</translation>
    </message>
    <message>
        <source>&lt;html&gt;&lt;head/&gt;&lt;body&gt;&lt;p&gt;&lt;span style=&quot; color:#ffffff;&quot;&gt;播放信息&lt;/span&gt;&lt;/p&gt;&lt;/body&gt;&lt;/html&gt;</source>
        <extracomment>tool tip of gpsButton (rich text as the form stores it)</extracomment>
        <translation>&lt;html&gt;&lt;head/&gt;&lt;body&gt;&lt;p&gt;&lt;span style=&quot; color:#ffffff;&quot;&gt;Сведения о воспроизведении&lt;/span&gt;&lt;/p&gt;&lt;/body&gt;&lt;/html&gt;</translation>
    </message>
    <message>
        <source>Aev-Speed</source>
        <extracomment>GPS page caption, average speed</extracomment>
        <translation>Средняя скорость</translation>
    </message>
    <message>
        <source>Max-Speed</source>
        <extracomment>GPS page caption, maximum speed</extracomment>
        <translation>Макс. скорость</translation>
    </message>
    <message>
        <source>Latitude</source>
        <extracomment>GPS page caption</extracomment>
        <translation>Широта</translation>
    </message>
    <message>
        <source>Longitude</source>
        <extracomment>GPS page caption</extracomment>
        <translation>Долгота</translation>
    </message>
    <message>
        <source>Distance</source>
        <extracomment>GPS page caption, distance driven</extracomment>
        <translation>Пробег</translation>
    </message>
    <message>
        <source>0</source>
        <extracomment>value labels before the first sample</extracomment>
        <translation>0</translation>
    </message>
    <message>
        <source>0 Miles</source>
        <extracomment>distance label as the form stores it</extracomment>
        <translation>0 миль</translation>
    </message>
    <message>
        <source>File Name</source>
        <extracomment>play-information caption</extracomment>
        <translation>Имя файла</translation>
    </message>
    <message>
        <source>Size</source>
        <extracomment>play-information caption</extracomment>
        <translation>Размер</translation>
    </message>
    <message>
        <source>Format</source>
        <extracomment>play-information caption</extracomment>
        <translation>Формат</translation>
    </message>
    <message>
        <source>Demuxer</source>
        <extracomment>play-information caption</extracomment>
        <translation>Демультиплексор</translation>
    </message>
    <message>
        <source>Duration</source>
        <extracomment>play-information caption</extracomment>
        <translation>Длительность</translation>
    </message>
    <message>
        <source>Pixel format</source>
        <extracomment>play-information caption</extracomment>
        <translation>Формат пикселей</translation>
    </message>
    <message>
        <source>Video size</source>
        <extracomment>play-information caption</extracomment>
        <translation>Размер видео</translation>
    </message>
    <message>
        <source>Display size</source>
        <extracomment>play-information caption</extracomment>
        <translation>Размер отображения</translation>
    </message>
    <message>
        <source>Hwdec</source>
        <extracomment>play-information caption</extracomment>
        <translation>Аппаратное декодирование</translation>
    </message>
    <message>
        <source>Video aspect</source>
        <extracomment>play-information caption</extracomment>
        <translation>Соотношение сторон</translation>
    </message>
    <message>
        <source>Trip: %1 files, %2, %3</source>
        <extracomment>info panel while a trip plays: %1 files in the trip, %2 its duration, %3 its distance</extracomment>
        <translation>Поездка: файлов %1, %2, %3</translation>
    </message>
    <message>
        <source>Max %1, moving average %2</source>
        <extracomment>info panel while a trip plays: %1 its top speed, %2 its average speed while moving (display unit)</extracomment>
        <translation>Макс. %1, средняя в движении %2</translation>
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
        <translation>Уменьшить</translation>
    </message>
    <message>
        <source>&lt;html&gt;&lt;head/&gt;&lt;body&gt;&lt;p&gt;&lt;span style=&quot; color:#ffffff;&quot;&gt;缩小&lt;/span&gt;&lt;/p&gt;&lt;/body&gt;&lt;/html&gt;</source>
        <extracomment>tool tip of scaleSmall (rich text as the form stores it)</extracomment>
        <translation>&lt;html&gt;&lt;head/&gt;&lt;body&gt;&lt;p&gt;&lt;span style=&quot; color:#ffffff;&quot;&gt;Уменьшить&lt;/span&gt;&lt;/p&gt;&lt;/body&gt;&lt;/html&gt;</translation>
    </message>
    <message>
        <source>放大</source>
        <extracomment>tool tip of scaleBig (visible words)</extracomment>
        <translation>Увеличить</translation>
    </message>
    <message>
        <source>&lt;html&gt;&lt;head/&gt;&lt;body&gt;&lt;p&gt;&lt;span style=&quot; color:#ffffff;&quot;&gt;放大&lt;/span&gt;&lt;/p&gt;&lt;/body&gt;&lt;/html&gt;</source>
        <extracomment>tool tip of scaleBig (rich text as the form stores it)</extracomment>
        <translation>&lt;html&gt;&lt;head/&gt;&lt;body&gt;&lt;p&gt;&lt;span style=&quot; color:#ffffff;&quot;&gt;Увеличить&lt;/span&gt;&lt;/p&gt;&lt;/body&gt;&lt;/html&gt;</translation>
    </message>
    <message>
        <source>抓图</source>
        <extracomment>tool tip of imageButton (visible words)</extracomment>
        <translation>Снимок кадра</translation>
    </message>
    <message>
        <source>&lt;html&gt;&lt;head/&gt;&lt;body&gt;&lt;p&gt;&lt;span style=&quot; color:#ffffff;&quot;&gt;抓图&lt;/span&gt;&lt;/p&gt;&lt;/body&gt;&lt;/html&gt;</source>
        <extracomment>tool tip of imageButton (rich text as the form stores it)</extracomment>
        <translation>&lt;html&gt;&lt;head/&gt;&lt;body&gt;&lt;p&gt;&lt;span style=&quot; color:#ffffff;&quot;&gt;Снимок кадра&lt;/span&gt;&lt;/p&gt;&lt;/body&gt;&lt;/html&gt;</translation>
    </message>
    <message>
        <source>视频编辑</source>
        <extracomment>tool tip of cutButton (visible words)</extracomment>
        <translation>Вырезать фрагмент</translation>
    </message>
    <message>
        <source>&lt;html&gt;&lt;head/&gt;&lt;body&gt;&lt;p&gt;&lt;span style=&quot; color:#ffffff;&quot;&gt;视频编辑&lt;/span&gt;&lt;/p&gt;&lt;/body&gt;&lt;/html&gt;</source>
        <extracomment>tool tip of cutButton (rich text as the form stores it)</extracomment>
        <translation>&lt;html&gt;&lt;head/&gt;&lt;body&gt;&lt;p&gt;&lt;span style=&quot; color:#ffffff;&quot;&gt;Вырезать фрагмент&lt;/span&gt;&lt;/p&gt;&lt;/body&gt;&lt;/html&gt;</translation>
    </message>
    <message>
        <source>调色</source>
        <extracomment>tool tip of colorButton (visible words)</extracomment>
        <translation>Настройки изображения</translation>
    </message>
    <message>
        <source>&lt;html&gt;&lt;head/&gt;&lt;body&gt;&lt;p&gt;&lt;span style=&quot; color:#ffffff;&quot;&gt;调色&lt;/span&gt;&lt;/p&gt;&lt;/body&gt;&lt;/html&gt;</source>
        <extracomment>tool tip of colorButton (rich text as the form stores it)</extracomment>
        <translation>&lt;html&gt;&lt;head/&gt;&lt;body&gt;&lt;p&gt;&lt;span style=&quot; color:#ffffff;&quot;&gt;Настройки изображения&lt;/span&gt;&lt;/p&gt;&lt;/body&gt;&lt;/html&gt;</translation>
    </message>
    <message>
        <source>循环播放</source>
        <extracomment>tool tip of replayButton (visible words)</extracomment>
        <translation>Повтор</translation>
    </message>
    <message>
        <source>&lt;html&gt;&lt;head/&gt;&lt;body&gt;&lt;p&gt;&lt;span style=&quot; color:#ffffff;&quot;&gt;循环播放&lt;/span&gt;&lt;/p&gt;&lt;/body&gt;&lt;/html&gt;</source>
        <extracomment>tool tip of replayButton (rich text as the form stores it)</extracomment>
        <translation>&lt;html&gt;&lt;head/&gt;&lt;body&gt;&lt;p&gt;&lt;span style=&quot; color:#ffffff;&quot;&gt;Повтор&lt;/span&gt;&lt;/p&gt;&lt;/body&gt;&lt;/html&gt;</translation>
    </message>
    <message>
        <source>上一段</source>
        <extracomment>tool tip of previousButton (visible words)</extracomment>
        <translation>Предыдущее видео</translation>
    </message>
    <message>
        <source>&lt;html&gt;&lt;head/&gt;&lt;body&gt;&lt;p&gt;&lt;span style=&quot; color:#ffffff;&quot;&gt;上一段&lt;/span&gt;&lt;/p&gt;&lt;/body&gt;&lt;/html&gt;</source>
        <extracomment>tool tip of previousButton (rich text as the form stores it)</extracomment>
        <translation>&lt;html&gt;&lt;head/&gt;&lt;body&gt;&lt;p&gt;&lt;span style=&quot; color:#ffffff;&quot;&gt;Предыдущее видео&lt;/span&gt;&lt;/p&gt;&lt;/body&gt;&lt;/html&gt;</translation>
    </message>
    <message>
        <source>播放/暂停</source>
        <extracomment>tool tip of playButton (visible words)</extracomment>
        <translation>Воспроизведение/пауза</translation>
    </message>
    <message>
        <source>&lt;html&gt;&lt;head/&gt;&lt;body&gt;&lt;p&gt;&lt;span style=&quot; color:#ffffff;&quot;&gt;播放/暂停&lt;/span&gt;&lt;/p&gt;&lt;/body&gt;&lt;/html&gt;</source>
        <extracomment>tool tip of playButton (rich text as the form stores it)</extracomment>
        <translation>&lt;html&gt;&lt;head/&gt;&lt;body&gt;&lt;p&gt;&lt;span style=&quot; color:#ffffff;&quot;&gt;Воспроизведение/пауза&lt;/span&gt;&lt;/p&gt;&lt;/body&gt;&lt;/html&gt;</translation>
    </message>
    <message>
        <source>下一段</source>
        <extracomment>tool tip of nextButton (visible words)</extracomment>
        <translation>Следующее видео</translation>
    </message>
    <message>
        <source>&lt;html&gt;&lt;head/&gt;&lt;body&gt;&lt;p&gt;&lt;span style=&quot; color:#ffffff;&quot;&gt;下一段&lt;/span&gt;&lt;/p&gt;&lt;/body&gt;&lt;/html&gt;</source>
        <extracomment>tool tip of nextButton (rich text as the form stores it)</extracomment>
        <translation>&lt;html&gt;&lt;head/&gt;&lt;body&gt;&lt;p&gt;&lt;span style=&quot; color:#ffffff;&quot;&gt;Следующее видео&lt;/span&gt;&lt;/p&gt;&lt;/body&gt;&lt;/html&gt;</translation>
    </message>
    <message>
        <source>音量</source>
        <extracomment>tool tip of volumeButton (visible words)</extracomment>
        <translation>Громкость</translation>
    </message>
    <message>
        <source>&lt;html&gt;&lt;head/&gt;&lt;body&gt;&lt;p&gt;&lt;span style=&quot; color:#ffffff;&quot;&gt;音量&lt;/span&gt;&lt;/p&gt;&lt;/body&gt;&lt;/html&gt;</source>
        <extracomment>tool tip of volumeButton (rich text as the form stores it)</extracomment>
        <translation>&lt;html&gt;&lt;head/&gt;&lt;body&gt;&lt;p&gt;&lt;span style=&quot; color:#ffffff;&quot;&gt;Громкость&lt;/span&gt;&lt;/p&gt;&lt;/body&gt;&lt;/html&gt;</translation>
    </message>
    <message>
        <source>播放速度</source>
        <extracomment>tool tip of playSpeedButton (visible words)</extracomment>
        <translation>Скорость воспроизведения</translation>
    </message>
    <message>
        <source>&lt;html&gt;&lt;head/&gt;&lt;body&gt;&lt;p&gt;&lt;span style=&quot; color:#ffffff;&quot;&gt;播放速度&lt;/span&gt;&lt;/p&gt;&lt;/body&gt;&lt;/html&gt;</source>
        <extracomment>tool tip of playSpeedButton (rich text as the form stores it)</extracomment>
        <translation>&lt;html&gt;&lt;head/&gt;&lt;body&gt;&lt;p&gt;&lt;span style=&quot; color:#ffffff;&quot;&gt;Скорость воспроизведения&lt;/span&gt;&lt;/p&gt;&lt;/body&gt;&lt;/html&gt;</translation>
    </message>
    <message>
        <source>全屏/退出全屏</source>
        <extracomment>tool tip of fullButton (visible words)</extracomment>
        <translation>Во весь экран/Выйти из полноэкранного режима</translation>
    </message>
    <message>
        <source>&lt;html&gt;&lt;head/&gt;&lt;body&gt;&lt;p&gt;&lt;span style=&quot; color:#ffffff;&quot;&gt;全屏/退出全屏&lt;/span&gt;&lt;/p&gt;&lt;/body&gt;&lt;/html&gt;</source>
        <extracomment>tool tip of fullButton (rich text as the form stores it)</extracomment>
        <translation>&lt;html&gt;&lt;head/&gt;&lt;body&gt;&lt;p&gt;&lt;span style=&quot; color:#ffffff;&quot;&gt;Во весь экран/Выйти из полноэкранного режима&lt;/span&gt;&lt;/p&gt;&lt;/body&gt;&lt;/html&gt;</translation>
    </message>
    <message>
        <source>全景模式</source>
        <extracomment>tool tip of play360 (visible words)</extracomment>
        <translation>Панорамный режим</translation>
    </message>
    <message>
        <source>&lt;html&gt;&lt;head/&gt;&lt;body&gt;&lt;p&gt;&lt;span style=&quot; color:#ffffff;&quot;&gt;全景模式&lt;/span&gt;&lt;/p&gt;&lt;/body&gt;&lt;/html&gt;</source>
        <extracomment>tool tip of play360 (rich text as the form stores it)</extracomment>
        <translation>&lt;html&gt;&lt;head/&gt;&lt;body&gt;&lt;p&gt;&lt;span style=&quot; color:#ffffff;&quot;&gt;Панорамный режим&lt;/span&gt;&lt;/p&gt;&lt;/body&gt;&lt;/html&gt;</translation>
    </message>
    <message>
        <source>cutimage_Success</source>
        <extracomment>still capture written</extracomment>
        <translation>Снимок кадра сохранён</translation>
    </message>
    <message>
        <source>cutimage_fail</source>
        <extracomment>still capture failed</extracomment>
        <translation>Не удалось сохранить снимок кадра</translation>
    </message>
    <message>
        <source>list_play</source>
        <extracomment>loop button tool tip, whole list</extracomment>
        <translation>Повтор списка</translation>
    </message>
    <message>
        <source>one_play</source>
        <extracomment>loop button tool tip, one recording</extracomment>
        <translation>Повтор текущего видео</translation>
    </message>
    <message>
        <source>saveFilePath_noSet</source>
        <extracomment>capture or cut without a usable save folder</extracomment>
        <translation>Папка для сохранения не существует. Укажите её заново.</translation>
    </message>
    <message>
        <source>userTapToolButtonChangeModel</source>
        <extracomment>panorama button while smoothness first is chosen</extracomment>
        <translation>Сначала переключитесь в режим «Приоритет производительности», затем смените панорамный режим.</translation>
    </message>
</context>
<context>
    <name>QObject</name>
    <message>
        <source>Video_missing_frame</source>
        <extracomment>decoding falls behind (dropped frames)</extracomment>
        <translation>Видео декодируется слишком медленно, воспроизведение может быть неплавным. Закройте часть программ или смените режим воспроизведения и повторите попытку.</translation>
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
        <translation>Единицы скорости</translation>
    </message>
    <message>
        <source>  KMH</source>
        <extracomment>speed unit 0</extracomment>
        <translation>  км/ч</translation>
    </message>
    <message>
        <source>  PMH</source>
        <extracomment>speed unit 1</extracomment>
        <translation>  миль/ч</translation>
    </message>
    <message>
        <source>经纬度</source>
        <extracomment>heading</extracomment>
        <translation>Координаты</translation>
    </message>
    <message>
        <source>  度/分/秒</source>
        <extracomment>coordinate format 0</extracomment>
        <translation>  Градусы/минуты/секунды</translation>
    </message>
    <message>
        <source>  小数点显示</source>
        <extracomment>coordinate format 1</extracomment>
        <translation>  Десятичные градусы</translation>
    </message>
    <message>
        <source>地图</source>
        <extracomment>heading</extracomment>
        <translation>Карта</translation>
    </message>
    <message>
        <source>  Google Map</source>
        <extracomment>map type 0</extracomment>
        <translation>  Google Карты</translation>
    </message>
    <message>
        <source>  百度地图</source>
        <extracomment>map type 1</extracomment>
        <translation>  Baidu Карты</translation>
    </message>
    <message>
        <source>OpenStreetMap</source>
        <extracomment>map type 2 (a name: kept as is)</extracomment>
        <translation>OpenStreetMap</translation>
    </message>
    <message>
        <source>Key</source>
        <extracomment>label of the key field of the chosen map (Google or Baidu)</extracomment>
        <translation>Ключ</translation>
    </message>
    <message>
        <source>Without a key the map shows OpenStreetMap</source>
        <extracomment>placeholder of the map key field</extracomment>
        <translation>Без ключа карта показывает OpenStreetMap</translation>
    </message>
    <message>
        <source>播放模式</source>
        <extracomment>heading</extracomment>
        <translation>Режим воспроизведения</translation>
    </message>
    <message>
        <source>  单路播放</source>
        <extracomment>play mode 0</extracomment>
        <translation>  Один канал</translation>
    </message>
    <message>
        <source>  双路播放</source>
        <extracomment>play mode 1</extracomment>
        <translation>  Два канала</translation>
    </message>
    <message>
        <source>  三路播放</source>
        <extracomment>play mode 2</extracomment>
        <translation>  Три канала</translation>
    </message>
    <message>
        <source>  四路播放</source>
        <extracomment>play mode 3</extracomment>
        <translation>  Четыре канала</translation>
    </message>
    <message>
        <source>注意：多路播放可能会号致电脑运行速度交慢。</source>
        <extracomment>note under the play modes</extracomment>
        <translation>Примечание: многоканальное воспроизведение может замедлить работу компьютера.</translation>
    </message>
    <message>
        <source>文件保存路径</source>
        <extracomment>heading</extracomment>
        <translation>Папка для сохранения</translation>
    </message>
    <message>
        <source>设置保存路径</source>
        <extracomment>save folder label before one is chosen</extracomment>
        <translation>Укажите папку для сохранения</translation>
    </message>
    <message>
        <source>选择路径</source>
        <extracomment>tool tip of openPathButton</extracomment>
        <translation>Выбрать папку</translation>
    </message>
    <message>
        <source>语言</source>
        <extracomment>heading</extracomment>
        <translation>Язык</translation>
    </message>
    <message>
        <source>播放性能</source>
        <extracomment>heading</extracomment>
        <translation>Производительность воспроизведения</translation>
    </message>
    <message>
        <source> 性能优先</source>
        <extracomment>player type 0</extracomment>
        <translation> Приоритет производительности</translation>
    </message>
    <message>
        <source>流畅优先</source>
        <extracomment>player type 1</extracomment>
        <translation>Приоритет плавности</translation>
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
        <translation>Изменение производительности воспроизведения вступит в силу после перезапуска плеера.</translation>
    </message>
    <message>
        <source>Version: %1</source>
        <extracomment>about page, %1 the version</extracomment>
        <translation>Версия: %1</translation>
    </message>
    <message>
        <source>KELMORA PLAYER</source>
        <extracomment>product caption (a name: kept as is)</extracomment>
        <translation>KELMORA PLAYER</translation>
    </message>
    <message>
        <source>Website: www.kelmora.example</source>
        <extracomment>about page, web site line</extracomment>
        <translation>Сайт: www.kelmora.example</translation>
    </message>
    <message>
        <source>Technical support: support@kelmora.example</source>
        <extracomment>about page, support address line</extracomment>
        <translation>Техническая поддержка: support@kelmora.example</translation>
    </message>
    <message>
        <source>Copyright © %1 Kelmora. All rights reserved.</source>
        <extracomment>about page, %1 the current year</extracomment>
        <translation>© Kelmora, %1. Все права защищены.</translation>
    </message>
    <message>
        <source>Driving events</source>
        <extracomment>settings heading of the event limits</extracomment>
        <translation>События вождения</translation>
    </message>
    <message>
        <source>Braking (g)</source>
        <extracomment>label of the braking limit field</extracomment>
        <translation>Торможение (g)</translation>
    </message>
    <message>
        <source>Acceleration (g)</source>
        <extracomment>label of the acceleration limit field</extracomment>
        <translation>Ускорение (g)</translation>
    </message>
    <message>
        <source>Turn (g)</source>
        <extracomment>label of the turn limit field</extracomment>
        <translation>Поворот (g)</translation>
    </message>
    <message>
        <source>Impact (g)</source>
        <extracomment>label of the impact limit field</extracomment>
        <translation>Удар (g)</translation>
    </message>
    <message>
        <source>Speed limit</source>
        <extracomment>label of the speed limit field</extracomment>
        <translation>Ограничение скорости</translation>
    </message>
    <message>
        <source>0 turns speeding events off</source>
        <extracomment>tooltip of the speed limit field</extracomment>
        <translation>0 отключает события превышения скорости</translation>
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
        <translation>Не добавлено файлов: %1</translation>
    </message>
</context>
<context>
    <name>ThumbnailMaker</name>
    <message>
        <source>unreadable</source>
        <extracomment>import: a file that could not be read (missing, empty or not a file)</extracomment>
        <translation>не читается</translation>
    </message>
    <message>
        <source>not a recording</source>
        <extracomment>import: a file that is no video recording</extracomment>
        <translation>не запись</translation>
    </message>
    <message>
        <source>no picture</source>
        <extracomment>import: a recording whose picture could not be decoded</extracomment>
        <translation>нет изображения</translation>
    </message>
</context>
<context>
    <name>TrackExporter</name>
    <message>
        <source>CSV table (*.csv)</source>
        <extracomment>save dialog file type: the track as a table, one row per second</extracomment>
        <translation>Таблица CSV (*.csv)</translation>
    </message>
    <message>
        <source>Export track</source>
        <extracomment>title of the save dialog and of its error message</extracomment>
        <translation>Экспорт трека</translation>
    </message>
    <message>
        <source>GPX track (*.gpx)</source>
        <extracomment>save dialog file type: the track for GPS programs</extracomment>
        <translation>Трек GPX (*.gpx)</translation>
    </message>
    <message>
        <source>GeoJSON (*.geojson)</source>
        <extracomment>save dialog file type: the track for web maps</extracomment>
        <translation>GeoJSON (*.geojson)</translation>
    </message>
    <message>
        <source>The track could not be saved as %1: %2</source>
        <extracomment>error after the save dialog: %1 the chosen file, %2 the system&apos;s reason</extracomment>
        <translation>Не удалось сохранить трек как %1: %2</translation>
    </message>
</context>
<context>
    <name>TripHeaderRow</name>
    <message>
        <source>%1  %2 local time</source>
        <extracomment>trip header: %1 date, %2 start–end time, in the computer&apos;s time zone</extracomment>
        <translation>%1  %2 местное время</translation>
    </message>
    <message>
        <source>Files: %1</source>
        <extracomment>trip header: how many files (every channel) the trip holds</extracomment>
        <translation>Файлов: %1</translation>
    </message>
    <message>
        <source>Recording without a date</source>
        <extracomment>trip header of a recording whose time is unknown</extracomment>
        <translation>Запись без даты</translation>
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
        <translation>Вырезка фрагмента</translation>
    </message>
    <message>
        <source>视频轨迹</source>
        <extracomment>heading of the track choice</extracomment>
        <translation>Дорожки</translation>
    </message>
    <message>
        <source>  视频轨道</source>
        <extracomment>keep the video track</extracomment>
        <translation>  Видеодорожка</translation>
    </message>
    <message>
        <source>  音频轨道</source>
        <extracomment>keep the audio track</extracomment>
        <translation>  Аудиодорожка</translation>
    </message>
    <message>
        <source>00:00</source>
        <extracomment>start label as the form stores it</extracomment>
        <translation>00:00</translation>
    </message>
    <message>
        <source>Original Resolution</source>
        <extracomment>resolution button, followed by the size estimate</extracomment>
        <translation>Исходное разрешение</translation>
    </message>
    <message>
        <source>cutVideo_Success</source>
        <extracomment>cut written</extracomment>
        <translation>Фрагмент сохранён</translation>
    </message>
    <message>
        <source>cutVideo_Fail</source>
        <extracomment>cut failed</extracomment>
        <translation>Не удалось сохранить фрагмент</translation>
    </message>
    <message>
        <source>Show speed, time and position on the video</source>
        <extracomment>cut option: burn speed, time and position into the picture</extracomment>
        <translation>Показывать скорость, время и координаты на видео</translation>
    </message>
    <message>
        <source>Save the track beside the cut</source>
        <extracomment>cut option: write GPX and CSV of the range next to the cut</extracomment>
        <translation>Сохранить трек рядом с фрагментом</translation>
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
        <translation>Файл был перемещён или удалён</translation>
    </message>
    <message>
        <source>video_cannot_play</source>
        <extracomment>the chosen recording is damaged or not a video</extracomment>
        <translation>Не удаётся воспроизвести эту запись</translation>
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
