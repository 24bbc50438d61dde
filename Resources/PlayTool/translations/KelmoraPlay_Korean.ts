<?xml version="1.0" encoding="utf-8"?>
<!DOCTYPE TS>
<TS version="2.1" language="ko_KR">
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
        <translation>동영상을 불러오는 중</translation>
    </message>
    <message>
        <source>Please wait: %1/%2</source>
        <extracomment>import progress, %1 done of %2</extracomment>
        <translation>잠시 기다려 주세요: %1/%2</translation>
    </message>
    <message>
        <source>Please wait: 0/0</source>
        <extracomment>progress label as the form stores it</extracomment>
        <translation>잠시 기다려 주세요: 0/0</translation>
    </message>
    <message>
        <source>The library cannot be saved: %1 of %2 files were not added.</source>
        <extracomment>import notice, library not writable: %1 files not stored of the %2 chosen</extracomment>
        <translation>라이브러리를 저장할 수 없습니다: 파일 %2개 중 %1개를 추가하지 못했습니다.</translation>
    </message>
    <message>
        <source>ffmpeg was not found: files were added without thumbnails.</source>
        <extracomment>import notice, ffmpeg could not be started: files listed without thumbnails</extracomment>
        <translation>ffmpeg를 찾을 수 없습니다: 파일이 썸네일 없이 추가되었습니다.</translation>
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
        <translation>초기화</translation>
    </message>
</context>
<context>
    <name>CustomListItem</name>
    <message>
        <source>Driving events: %1</source>
        <extracomment>tooltip of the event badge of a file row, %1 the number of events</extracomment>
        <translation>주행 이벤트: %1</translation>
    </message>
</context>
<context>
    <name>EventTimeline</name>
    <message>
        <source>Braking</source>
        <extracomment>kind of a driving event in its mark tooltip</extracomment>
        <translation>급제동</translation>
    </message>
    <message>
        <source>Acceleration</source>
        <extracomment>kind of a driving event in its mark tooltip</extracomment>
        <translation>급가속</translation>
    </message>
    <message>
        <source>Turn</source>
        <extracomment>kind of a driving event in its mark tooltip</extracomment>
        <translation>급회전</translation>
    </message>
    <message>
        <source>Impact</source>
        <extracomment>kind of a driving event in its mark tooltip</extracomment>
        <translation>충격</translation>
    </message>
    <message>
        <source>Speeding</source>
        <extracomment>kind of a driving event in its mark tooltip</extracomment>
        <translation>과속</translation>
    </message>
    <message>
        <source>%1 at %2, peak %3</source>
        <extracomment>event mark tooltip: %1 kind, %2 time m:ss, %3 peak value with unit</extracomment>
        <translation>%1 (%2), 최고 %3</translation>
    </message>
</context>
<context>
    <name>FFmpegThread</name>
    <message>
        <source>ffmpeg_not_found</source>
        <extracomment>cut or still failed: the ffmpeg program could not be started</extracomment>
        <translation>ffmpeg를 찾을 수 없습니다. ffmpeg를 설치한 후 다시 시도하세요.</translation>
    </message>
</context>
<context>
    <name>FilesListView</name>
    <message>
        <source>Export track…</source>
        <extracomment>file list row menu: save this recording&apos;s GPS track as GPX, CSV or GeoJSON</extracomment>
        <translation>트랙 내보내기…</translation>
    </message>
    <message>
        <source>Group by trip</source>
        <extracomment>tool tip of tripsButton: show the list as trips (drives) or as files</extracomment>
        <translation>주행별로 묶기</translation>
    </message>
    <message>
        <source>Add a folder</source>
        <extracomment>tool tip of addFolderButton, which adds every recording under a folder (e.g. a camera&apos;s card), and title of its folder dialog</extracomment>
        <translation>폴더 추가</translation>
    </message>
    <message>
        <source>Play trip</source>
        <extracomment>file list trip header menu: play the trip&apos;s recordings one after the other</extracomment>
        <translation>주행 재생</translation>
    </message>
    <message>
        <source>Form</source>
        <extracomment>window title of the form</extracomment>
        <translation>Form</translation>
    </message>
    <message>
        <source>设置</source>
        <extracomment>tool tip of setButton (visible words)</extracomment>
        <translation>설정</translation>
    </message>
    <message>
        <source>&lt;html&gt;&lt;head/&gt;&lt;body&gt;&lt;p&gt;&lt;span style=&quot; color:#ffffff;&quot;&gt;设置&lt;/span&gt;&lt;/p&gt;&lt;/body&gt;&lt;/html&gt;</source>
        <extracomment>tool tip of setButton (rich text as the form stores it)</extracomment>
        <translation>&lt;html&gt;&lt;head/&gt;&lt;body&gt;&lt;p&gt;&lt;span style=&quot; color:#ffffff;&quot;&gt;설정&lt;/span&gt;&lt;/p&gt;&lt;/body&gt;&lt;/html&gt;</translation>
    </message>
    <message>
        <source>打开文件</source>
        <extracomment>tool tip of pushButton_2 (visible words)</extracomment>
        <translation>파일 열기</translation>
    </message>
    <message>
        <source>&lt;html&gt;&lt;head/&gt;&lt;body&gt;&lt;p&gt;&lt;span style=&quot; color:#ffffff;&quot;&gt;打开文件&lt;/span&gt;&lt;/p&gt;&lt;/body&gt;&lt;/html&gt;</source>
        <extracomment>tool tip of pushButton_2 (rich text as the form stores it)</extracomment>
        <translation>&lt;html&gt;&lt;head/&gt;&lt;body&gt;&lt;p&gt;&lt;span style=&quot; color:#ffffff;&quot;&gt;파일 열기&lt;/span&gt;&lt;/p&gt;&lt;/body&gt;&lt;/html&gt;</translation>
    </message>
    <message>
        <source>清空列表</source>
        <extracomment>tool tip of deleteButton (visible words)</extracomment>
        <translation>목록 비우기</translation>
    </message>
    <message>
        <source>&lt;html&gt;&lt;head/&gt;&lt;body&gt;&lt;p&gt;&lt;span style=&quot; color:#ffffff;&quot;&gt;清空列表&lt;/span&gt;&lt;/p&gt;&lt;/body&gt;&lt;/html&gt;</source>
        <extracomment>tool tip of deleteButton (rich text as the form stores it)</extracomment>
        <translation>&lt;html&gt;&lt;head/&gt;&lt;body&gt;&lt;p&gt;&lt;span style=&quot; color:#ffffff;&quot;&gt;목록 비우기&lt;/span&gt;&lt;/p&gt;&lt;/body&gt;&lt;/html&gt;</translation>
    </message>
    <message>
        <source>排序</source>
        <extracomment>tool tip of pushButton_4 (visible words)</extracomment>
        <translation>정렬</translation>
    </message>
    <message>
        <source>&lt;html&gt;&lt;head/&gt;&lt;body&gt;&lt;p&gt;&lt;span style=&quot; color:#ffffff;&quot;&gt;排序&lt;/span&gt;&lt;/p&gt;&lt;/body&gt;&lt;/html&gt;</source>
        <extracomment>tool tip of pushButton_4 (rich text as the form stores it)</extracomment>
        <translation>&lt;html&gt;&lt;head/&gt;&lt;body&gt;&lt;p&gt;&lt;span style=&quot; color:#ffffff;&quot;&gt;정렬&lt;/span&gt;&lt;/p&gt;&lt;/body&gt;&lt;/html&gt;</translation>
    </message>
    <message>
        <source>listFilesForDelete</source>
        <extracomment>warning before adding to a list of more than 700 rows</extracomment>
        <translation>재생 목록에 파일이 너무 많습니다. 불필요한 파일을 삭제한 후 새 파일을 추가하세요.</translation>
    </message>
    <message>
        <source>one_addFilesMaxNumber</source>
        <extracomment>more than 300 new files chosen</extracomment>
        <translation>한 번에 최대 300개의 파일을 불러올 수 있으며, 초과된 파일은 불러오지 않습니다.</translation>
    </message>
    <message>
        <source>selectFiles_Added</source>
        <extracomment>every chosen file is already listed</extracomment>
        <translation>선택한 파일이 이미 추가되어 있습니다</translation>
    </message>
    <message>
        <source>Video is loading</source>
        <extracomment>import dialog title given by the file list</extracomment>
        <translation>동영상을 불러오는 중</translation>
    </message>
    <message>
        <source>Show as 360°</source>
        <extracomment>file list row menu: show this recording as a panorama (it is shown flat now)</extracomment>
        <translation>360°로 보기</translation>
    </message>
    <message>
        <source>Show flat</source>
        <extracomment>file list row menu: show this recording flat (it is shown as a panorama now)</extracomment>
        <translation>평면으로 보기</translation>
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
        <translation>다시 표시하지 않음</translation>
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
        <translation>GPS 데이터 없음</translation>
    </message>
    <message>
        <source>No GPS</source>
        <extracomment>placeholder, recording without GPS</extracomment>
        <translation>GPS 데이터 없음</translation>
    </message>
    <message>
        <source>no network</source>
        <extracomment>placeholder, map service unreachable</extracomment>
        <translation>인터넷 연결을 확인하세요</translation>
    </message>
    <message>
        <source>check networking</source>
        <extracomment>placeholder while the network is probed</extracomment>
        <translation>네트워크 확인 중…</translation>
    </message>
</context>
<context>
    <name>MainComposition</name>
    <message>
        <source>The video library was damaged. It was kept as %1 and a new library was started.</source>
        <extracomment>start-up notice, damaged library moved aside; %1 the kept file&apos;s name</extracomment>
        <translation>동영상 라이브러리가 손상되었습니다. %1(으)로 보관하고 새 라이브러리를 만들었습니다.</translation>
    </message>
    <message>
        <source>The video library cannot be saved: the app-data folder cannot be written.</source>
        <extracomment>start-up notice, the app-data folder cannot be written</extracomment>
        <translation>동영상 라이브러리를 저장할 수 없습니다: 앱 데이터 폴더에 쓸 수 없습니다.</translation>
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
        <translation>네트워크 없음: 이전에 본 지도 타일 위에 경로를 표시합니다.</translation>
    </message>
    <message>
        <source>The map key was refused: showing OpenStreetMap.</source>
        <extracomment>map panel notice: Google or Baidu refused the user&apos;s key</extracomment>
        <translation>지도 키가 거부되었습니다: OpenStreetMap을 표시합니다.</translation>
    </message>
    <message>
        <source>The map service could not be loaded: the route is drawn without map tiles.</source>
        <extracomment>map panel notice: the map page could not load at all, only the route is drawn</extracomment>
        <translation>지도 서비스를 불러올 수 없습니다: 지도 없이 경로만 표시합니다.</translation>
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
        <translation>GPS 정보</translation>
    </message>
    <message>
        <source>&lt;html&gt;&lt;head/&gt;&lt;body&gt;&lt;p&gt;&lt;span style=&quot; color:#ffffff;&quot;&gt;Gps信息&lt;/span&gt;&lt;/p&gt;&lt;/body&gt;&lt;/html&gt;</source>
        <extracomment>tool tip of messageButton (rich text as the form stores it)</extracomment>
        <translation>&lt;html&gt;&lt;head/&gt;&lt;body&gt;&lt;p&gt;&lt;span style=&quot; color:#ffffff;&quot;&gt;GPS 정보&lt;/span&gt;&lt;/p&gt;&lt;/body&gt;&lt;/html&gt;</translation>
    </message>
    <message>
        <source>播放信息</source>
        <extracomment>tool tip of gpsButton (visible words)</extracomment>
        <translation>재생 정보</translation>
    </message>
    <message>
        <source>&lt;html&gt;&lt;head/&gt;&lt;body&gt;&lt;p&gt;&lt;span style=&quot; color:#ffffff;&quot;&gt;播放信息&lt;/span&gt;&lt;/p&gt;&lt;/body&gt;&lt;/html&gt;</source>
        <extracomment>tool tip of gpsButton (rich text as the form stores it)</extracomment>
        <translation>&lt;html&gt;&lt;head/&gt;&lt;body&gt;&lt;p&gt;&lt;span style=&quot; color:#ffffff;&quot;&gt;재생 정보&lt;/span&gt;&lt;/p&gt;&lt;/body&gt;&lt;/html&gt;</translation>
    </message>
    <message>
        <source>Aev-Speed</source>
        <extracomment>GPS page caption, average speed</extracomment>
        <translation>평균 속도</translation>
    </message>
    <message>
        <source>Max-Speed</source>
        <extracomment>GPS page caption, maximum speed</extracomment>
        <translation>최고 속도</translation>
    </message>
    <message>
        <source>Latitude</source>
        <extracomment>GPS page caption</extracomment>
        <translation>위도</translation>
    </message>
    <message>
        <source>Longitude</source>
        <extracomment>GPS page caption</extracomment>
        <translation>경도</translation>
    </message>
    <message>
        <source>Distance</source>
        <extracomment>GPS page caption, distance driven</extracomment>
        <translation>주행 거리</translation>
    </message>
    <message>
        <source>0</source>
        <extracomment>value labels before the first sample</extracomment>
        <translation>0</translation>
    </message>
    <message>
        <source>0 Miles</source>
        <extracomment>distance label as the form stores it</extracomment>
        <translation>0마일</translation>
    </message>
    <message>
        <source>File Name</source>
        <extracomment>play-information caption</extracomment>
        <translation>파일 이름</translation>
    </message>
    <message>
        <source>Size</source>
        <extracomment>play-information caption</extracomment>
        <translation>크기</translation>
    </message>
    <message>
        <source>Format</source>
        <extracomment>play-information caption</extracomment>
        <translation>형식</translation>
    </message>
    <message>
        <source>Demuxer</source>
        <extracomment>play-information caption</extracomment>
        <translation>디멀티플렉서</translation>
    </message>
    <message>
        <source>Duration</source>
        <extracomment>play-information caption</extracomment>
        <translation>재생 시간</translation>
    </message>
    <message>
        <source>Pixel format</source>
        <extracomment>play-information caption</extracomment>
        <translation>픽셀 형식</translation>
    </message>
    <message>
        <source>Video size</source>
        <extracomment>play-information caption</extracomment>
        <translation>동영상 크기</translation>
    </message>
    <message>
        <source>Display size</source>
        <extracomment>play-information caption</extracomment>
        <translation>표시 크기</translation>
    </message>
    <message>
        <source>Hwdec</source>
        <extracomment>play-information caption</extracomment>
        <translation>하드웨어 디코딩</translation>
    </message>
    <message>
        <source>Video aspect</source>
        <extracomment>play-information caption</extracomment>
        <translation>화면 비율</translation>
    </message>
    <message>
        <source>Trip: %1 files, %2, %3</source>
        <extracomment>info panel while a trip plays: %1 files in the trip, %2 its duration, %3 its distance</extracomment>
        <translation>주행: 파일 %1개, %2, %3</translation>
    </message>
    <message>
        <source>Max %1, moving average %2</source>
        <extracomment>info panel while a trip plays: %1 its top speed, %2 its average speed while moving (display unit)</extracomment>
        <translation>최고 %1, 주행 평균 %2</translation>
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
        <translation>축소</translation>
    </message>
    <message>
        <source>&lt;html&gt;&lt;head/&gt;&lt;body&gt;&lt;p&gt;&lt;span style=&quot; color:#ffffff;&quot;&gt;缩小&lt;/span&gt;&lt;/p&gt;&lt;/body&gt;&lt;/html&gt;</source>
        <extracomment>tool tip of scaleSmall (rich text as the form stores it)</extracomment>
        <translation>&lt;html&gt;&lt;head/&gt;&lt;body&gt;&lt;p&gt;&lt;span style=&quot; color:#ffffff;&quot;&gt;축소&lt;/span&gt;&lt;/p&gt;&lt;/body&gt;&lt;/html&gt;</translation>
    </message>
    <message>
        <source>放大</source>
        <extracomment>tool tip of scaleBig (visible words)</extracomment>
        <translation>확대</translation>
    </message>
    <message>
        <source>&lt;html&gt;&lt;head/&gt;&lt;body&gt;&lt;p&gt;&lt;span style=&quot; color:#ffffff;&quot;&gt;放大&lt;/span&gt;&lt;/p&gt;&lt;/body&gt;&lt;/html&gt;</source>
        <extracomment>tool tip of scaleBig (rich text as the form stores it)</extracomment>
        <translation>&lt;html&gt;&lt;head/&gt;&lt;body&gt;&lt;p&gt;&lt;span style=&quot; color:#ffffff;&quot;&gt;확대&lt;/span&gt;&lt;/p&gt;&lt;/body&gt;&lt;/html&gt;</translation>
    </message>
    <message>
        <source>抓图</source>
        <extracomment>tool tip of imageButton (visible words)</extracomment>
        <translation>스크린샷</translation>
    </message>
    <message>
        <source>&lt;html&gt;&lt;head/&gt;&lt;body&gt;&lt;p&gt;&lt;span style=&quot; color:#ffffff;&quot;&gt;抓图&lt;/span&gt;&lt;/p&gt;&lt;/body&gt;&lt;/html&gt;</source>
        <extracomment>tool tip of imageButton (rich text as the form stores it)</extracomment>
        <translation>&lt;html&gt;&lt;head/&gt;&lt;body&gt;&lt;p&gt;&lt;span style=&quot; color:#ffffff;&quot;&gt;스크린샷&lt;/span&gt;&lt;/p&gt;&lt;/body&gt;&lt;/html&gt;</translation>
    </message>
    <message>
        <source>视频编辑</source>
        <extracomment>tool tip of cutButton (visible words)</extracomment>
        <translation>동영상 편집</translation>
    </message>
    <message>
        <source>&lt;html&gt;&lt;head/&gt;&lt;body&gt;&lt;p&gt;&lt;span style=&quot; color:#ffffff;&quot;&gt;视频编辑&lt;/span&gt;&lt;/p&gt;&lt;/body&gt;&lt;/html&gt;</source>
        <extracomment>tool tip of cutButton (rich text as the form stores it)</extracomment>
        <translation>&lt;html&gt;&lt;head/&gt;&lt;body&gt;&lt;p&gt;&lt;span style=&quot; color:#ffffff;&quot;&gt;동영상 편집&lt;/span&gt;&lt;/p&gt;&lt;/body&gt;&lt;/html&gt;</translation>
    </message>
    <message>
        <source>调色</source>
        <extracomment>tool tip of colorButton (visible words)</extracomment>
        <translation>화면 조정</translation>
    </message>
    <message>
        <source>&lt;html&gt;&lt;head/&gt;&lt;body&gt;&lt;p&gt;&lt;span style=&quot; color:#ffffff;&quot;&gt;调色&lt;/span&gt;&lt;/p&gt;&lt;/body&gt;&lt;/html&gt;</source>
        <extracomment>tool tip of colorButton (rich text as the form stores it)</extracomment>
        <translation>&lt;html&gt;&lt;head/&gt;&lt;body&gt;&lt;p&gt;&lt;span style=&quot; color:#ffffff;&quot;&gt;화면 조정&lt;/span&gt;&lt;/p&gt;&lt;/body&gt;&lt;/html&gt;</translation>
    </message>
    <message>
        <source>循环播放</source>
        <extracomment>tool tip of replayButton (visible words)</extracomment>
        <translation>반복 재생</translation>
    </message>
    <message>
        <source>&lt;html&gt;&lt;head/&gt;&lt;body&gt;&lt;p&gt;&lt;span style=&quot; color:#ffffff;&quot;&gt;循环播放&lt;/span&gt;&lt;/p&gt;&lt;/body&gt;&lt;/html&gt;</source>
        <extracomment>tool tip of replayButton (rich text as the form stores it)</extracomment>
        <translation>&lt;html&gt;&lt;head/&gt;&lt;body&gt;&lt;p&gt;&lt;span style=&quot; color:#ffffff;&quot;&gt;반복 재생&lt;/span&gt;&lt;/p&gt;&lt;/body&gt;&lt;/html&gt;</translation>
    </message>
    <message>
        <source>上一段</source>
        <extracomment>tool tip of previousButton (visible words)</extracomment>
        <translation>이전 동영상</translation>
    </message>
    <message>
        <source>&lt;html&gt;&lt;head/&gt;&lt;body&gt;&lt;p&gt;&lt;span style=&quot; color:#ffffff;&quot;&gt;上一段&lt;/span&gt;&lt;/p&gt;&lt;/body&gt;&lt;/html&gt;</source>
        <extracomment>tool tip of previousButton (rich text as the form stores it)</extracomment>
        <translation>&lt;html&gt;&lt;head/&gt;&lt;body&gt;&lt;p&gt;&lt;span style=&quot; color:#ffffff;&quot;&gt;이전 동영상&lt;/span&gt;&lt;/p&gt;&lt;/body&gt;&lt;/html&gt;</translation>
    </message>
    <message>
        <source>播放/暂停</source>
        <extracomment>tool tip of playButton (visible words)</extracomment>
        <translation>재생/일시 정지</translation>
    </message>
    <message>
        <source>&lt;html&gt;&lt;head/&gt;&lt;body&gt;&lt;p&gt;&lt;span style=&quot; color:#ffffff;&quot;&gt;播放/暂停&lt;/span&gt;&lt;/p&gt;&lt;/body&gt;&lt;/html&gt;</source>
        <extracomment>tool tip of playButton (rich text as the form stores it)</extracomment>
        <translation>&lt;html&gt;&lt;head/&gt;&lt;body&gt;&lt;p&gt;&lt;span style=&quot; color:#ffffff;&quot;&gt;재생/일시 정지&lt;/span&gt;&lt;/p&gt;&lt;/body&gt;&lt;/html&gt;</translation>
    </message>
    <message>
        <source>下一段</source>
        <extracomment>tool tip of nextButton (visible words)</extracomment>
        <translation>다음 동영상</translation>
    </message>
    <message>
        <source>&lt;html&gt;&lt;head/&gt;&lt;body&gt;&lt;p&gt;&lt;span style=&quot; color:#ffffff;&quot;&gt;下一段&lt;/span&gt;&lt;/p&gt;&lt;/body&gt;&lt;/html&gt;</source>
        <extracomment>tool tip of nextButton (rich text as the form stores it)</extracomment>
        <translation>&lt;html&gt;&lt;head/&gt;&lt;body&gt;&lt;p&gt;&lt;span style=&quot; color:#ffffff;&quot;&gt;다음 동영상&lt;/span&gt;&lt;/p&gt;&lt;/body&gt;&lt;/html&gt;</translation>
    </message>
    <message>
        <source>音量</source>
        <extracomment>tool tip of volumeButton (visible words)</extracomment>
        <translation>볼륨</translation>
    </message>
    <message>
        <source>&lt;html&gt;&lt;head/&gt;&lt;body&gt;&lt;p&gt;&lt;span style=&quot; color:#ffffff;&quot;&gt;音量&lt;/span&gt;&lt;/p&gt;&lt;/body&gt;&lt;/html&gt;</source>
        <extracomment>tool tip of volumeButton (rich text as the form stores it)</extracomment>
        <translation>&lt;html&gt;&lt;head/&gt;&lt;body&gt;&lt;p&gt;&lt;span style=&quot; color:#ffffff;&quot;&gt;볼륨&lt;/span&gt;&lt;/p&gt;&lt;/body&gt;&lt;/html&gt;</translation>
    </message>
    <message>
        <source>播放速度</source>
        <extracomment>tool tip of playSpeedButton (visible words)</extracomment>
        <translation>재생 속도</translation>
    </message>
    <message>
        <source>&lt;html&gt;&lt;head/&gt;&lt;body&gt;&lt;p&gt;&lt;span style=&quot; color:#ffffff;&quot;&gt;播放速度&lt;/span&gt;&lt;/p&gt;&lt;/body&gt;&lt;/html&gt;</source>
        <extracomment>tool tip of playSpeedButton (rich text as the form stores it)</extracomment>
        <translation>&lt;html&gt;&lt;head/&gt;&lt;body&gt;&lt;p&gt;&lt;span style=&quot; color:#ffffff;&quot;&gt;재생 속도&lt;/span&gt;&lt;/p&gt;&lt;/body&gt;&lt;/html&gt;</translation>
    </message>
    <message>
        <source>全屏/退出全屏</source>
        <extracomment>tool tip of fullButton (visible words)</extracomment>
        <translation>전체 화면/전체 화면 종료</translation>
    </message>
    <message>
        <source>&lt;html&gt;&lt;head/&gt;&lt;body&gt;&lt;p&gt;&lt;span style=&quot; color:#ffffff;&quot;&gt;全屏/退出全屏&lt;/span&gt;&lt;/p&gt;&lt;/body&gt;&lt;/html&gt;</source>
        <extracomment>tool tip of fullButton (rich text as the form stores it)</extracomment>
        <translation>&lt;html&gt;&lt;head/&gt;&lt;body&gt;&lt;p&gt;&lt;span style=&quot; color:#ffffff;&quot;&gt;전체 화면/전체 화면 종료&lt;/span&gt;&lt;/p&gt;&lt;/body&gt;&lt;/html&gt;</translation>
    </message>
    <message>
        <source>全景模式</source>
        <extracomment>tool tip of play360 (visible words)</extracomment>
        <translation>파노라마 모드</translation>
    </message>
    <message>
        <source>&lt;html&gt;&lt;head/&gt;&lt;body&gt;&lt;p&gt;&lt;span style=&quot; color:#ffffff;&quot;&gt;全景模式&lt;/span&gt;&lt;/p&gt;&lt;/body&gt;&lt;/html&gt;</source>
        <extracomment>tool tip of play360 (rich text as the form stores it)</extracomment>
        <translation>&lt;html&gt;&lt;head/&gt;&lt;body&gt;&lt;p&gt;&lt;span style=&quot; color:#ffffff;&quot;&gt;파노라마 모드&lt;/span&gt;&lt;/p&gt;&lt;/body&gt;&lt;/html&gt;</translation>
    </message>
    <message>
        <source>cutimage_Success</source>
        <extracomment>still capture written</extracomment>
        <translation>스크린샷을 저장했습니다</translation>
    </message>
    <message>
        <source>cutimage_fail</source>
        <extracomment>still capture failed</extracomment>
        <translation>스크린샷을 저장하지 못했습니다</translation>
    </message>
    <message>
        <source>list_play</source>
        <extracomment>loop button tool tip, whole list</extracomment>
        <translation>목록 반복 재생</translation>
    </message>
    <message>
        <source>one_play</source>
        <extracomment>loop button tool tip, one recording</extracomment>
        <translation>현재 동영상 반복 재생</translation>
    </message>
    <message>
        <source>saveFilePath_noSet</source>
        <extracomment>capture or cut without a usable save folder</extracomment>
        <translation>저장 경로가 존재하지 않습니다. 경로를 다시 설정하세요.</translation>
    </message>
    <message>
        <source>userTapToolButtonChangeModel</source>
        <extracomment>panorama button while smoothness first is chosen</extracomment>
        <translation>먼저 &apos;성능 우선&apos; 모드로 전환한 후 파노라마 모드를 변경하세요.</translation>
    </message>
</context>
<context>
    <name>QObject</name>
    <message>
        <source>Video_missing_frame</source>
        <extracomment>decoding falls behind (dropped frames)</extracomment>
        <translation>동영상 디코딩 속도가 느려 재생이 원활하지 않을 수 있습니다. 일부 프로그램을 종료하거나 재생 모드를 변경한 후 다시 시도하세요.</translation>
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
        <translation>속도 단위</translation>
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
        <translation>위도/경도</translation>
    </message>
    <message>
        <source>  度/分/秒</source>
        <extracomment>coordinate format 0</extracomment>
        <translation>  도/분/초</translation>
    </message>
    <message>
        <source>  小数点显示</source>
        <extracomment>coordinate format 1</extracomment>
        <translation>  십진수 표시</translation>
    </message>
    <message>
        <source>地图</source>
        <extracomment>heading</extracomment>
        <translation>지도</translation>
    </message>
    <message>
        <source>  Google Map</source>
        <extracomment>map type 0</extracomment>
        <translation>  Google 지도</translation>
    </message>
    <message>
        <source>  百度地图</source>
        <extracomment>map type 1</extracomment>
        <translation>  Baidu 지도</translation>
    </message>
    <message>
        <source>OpenStreetMap</source>
        <extracomment>map type 2 (a name: kept as is)</extracomment>
        <translation>OpenStreetMap</translation>
    </message>
    <message>
        <source>Key</source>
        <extracomment>label of the key field of the chosen map (Google or Baidu)</extracomment>
        <translation>API 키</translation>
    </message>
    <message>
        <source>Without a key the map shows OpenStreetMap</source>
        <extracomment>placeholder of the map key field</extracomment>
        <translation>키가 없으면 OpenStreetMap 지도가 표시됩니다</translation>
    </message>
    <message>
        <source>播放模式</source>
        <extracomment>heading</extracomment>
        <translation>재생 모드</translation>
    </message>
    <message>
        <source>  单路播放</source>
        <extracomment>play mode 0</extracomment>
        <translation>  1채널</translation>
    </message>
    <message>
        <source>  双路播放</source>
        <extracomment>play mode 1</extracomment>
        <translation>  2채널</translation>
    </message>
    <message>
        <source>  三路播放</source>
        <extracomment>play mode 2</extracomment>
        <translation>  3채널</translation>
    </message>
    <message>
        <source>  四路播放</source>
        <extracomment>play mode 3</extracomment>
        <translation>  4채널</translation>
    </message>
    <message>
        <source>注意：多路播放可能会号致电脑运行速度交慢。</source>
        <extracomment>note under the play modes</extracomment>
        <translation>참고: 다채널 재생 시 컴퓨터 속도가 느려질 수 있습니다.</translation>
    </message>
    <message>
        <source>文件保存路径</source>
        <extracomment>heading</extracomment>
        <translation>저장 경로</translation>
    </message>
    <message>
        <source>设置保存路径</source>
        <extracomment>save folder label before one is chosen</extracomment>
        <translation>저장 경로를 설정하세요</translation>
    </message>
    <message>
        <source>选择路径</source>
        <extracomment>tool tip of openPathButton</extracomment>
        <translation>경로 선택</translation>
    </message>
    <message>
        <source>语言</source>
        <extracomment>heading</extracomment>
        <translation>언어</translation>
    </message>
    <message>
        <source>播放性能</source>
        <extracomment>heading</extracomment>
        <translation>재생 성능</translation>
    </message>
    <message>
        <source> 性能优先</source>
        <extracomment>player type 0</extracomment>
        <translation> 성능 우선</translation>
    </message>
    <message>
        <source>流畅优先</source>
        <extracomment>player type 1</extracomment>
        <translation>부드러움 우선</translation>
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
        <translation>재생 성능 변경 사항은 플레이어를 다시 시작해야 적용됩니다.</translation>
    </message>
    <message>
        <source>Version: %1</source>
        <extracomment>about page, %1 the version</extracomment>
        <translation>버전: %1</translation>
    </message>
    <message>
        <source>KELMORA PLAYER</source>
        <extracomment>product caption (a name: kept as is)</extracomment>
        <translation>KELMORA PLAYER</translation>
    </message>
    <message>
        <source>Website: www.kelmora.example</source>
        <extracomment>about page, web site line</extracomment>
        <translation>웹사이트: www.kelmora.example</translation>
    </message>
    <message>
        <source>Technical support: support@kelmora.example</source>
        <extracomment>about page, support address line</extracomment>
        <translation>기술 지원: support@kelmora.example</translation>
    </message>
    <message>
        <source>Copyright © %1 Kelmora. All rights reserved.</source>
        <extracomment>about page, %1 the current year</extracomment>
        <translation>Copyright © %1 Kelmora. 모든 권리 보유.</translation>
    </message>
    <message>
        <source>Driving events</source>
        <extracomment>settings heading of the event limits</extracomment>
        <translation>주행 이벤트</translation>
    </message>
    <message>
        <source>Braking (g)</source>
        <extracomment>label of the braking limit field</extracomment>
        <translation>급제동 (g)</translation>
    </message>
    <message>
        <source>Acceleration (g)</source>
        <extracomment>label of the acceleration limit field</extracomment>
        <translation>급가속 (g)</translation>
    </message>
    <message>
        <source>Turn (g)</source>
        <extracomment>label of the turn limit field</extracomment>
        <translation>급회전 (g)</translation>
    </message>
    <message>
        <source>Impact (g)</source>
        <extracomment>label of the impact limit field</extracomment>
        <translation>충격 (g)</translation>
    </message>
    <message>
        <source>Speed limit</source>
        <extracomment>label of the speed limit field</extracomment>
        <translation>제한 속도</translation>
    </message>
    <message>
        <source>0 turns speeding events off</source>
        <extracomment>tooltip of the speed limit field</extracomment>
        <translation>0이면 과속 이벤트를 끕니다</translation>
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
        <translation>추가하지 못한 파일: %1</translation>
    </message>
</context>
<context>
    <name>ThumbnailMaker</name>
    <message>
        <source>unreadable</source>
        <extracomment>import: a file that could not be read (missing, empty or not a file)</extracomment>
        <translation>읽을 수 없음</translation>
    </message>
    <message>
        <source>not a recording</source>
        <extracomment>import: a file that is no video recording</extracomment>
        <translation>녹화 파일이 아님</translation>
    </message>
    <message>
        <source>no picture</source>
        <extracomment>import: a recording whose picture could not be decoded</extracomment>
        <translation>화면 없음</translation>
    </message>
</context>
<context>
    <name>TrackExporter</name>
    <message>
        <source>CSV table (*.csv)</source>
        <extracomment>save dialog file type: the track as a table, one row per second</extracomment>
        <translation>CSV 표 (*.csv)</translation>
    </message>
    <message>
        <source>Export track</source>
        <extracomment>title of the save dialog and of its error message</extracomment>
        <translation>트랙 내보내기</translation>
    </message>
    <message>
        <source>GPX track (*.gpx)</source>
        <extracomment>save dialog file type: the track for GPS programs</extracomment>
        <translation>GPX 트랙 (*.gpx)</translation>
    </message>
    <message>
        <source>GeoJSON (*.geojson)</source>
        <extracomment>save dialog file type: the track for web maps</extracomment>
        <translation>GeoJSON (*.geojson)</translation>
    </message>
    <message>
        <source>The track could not be saved as %1: %2</source>
        <extracomment>error after the save dialog: %1 the chosen file, %2 the system&apos;s reason</extracomment>
        <translation>트랙을 %1(으)로 저장할 수 없습니다: %2</translation>
    </message>
</context>
<context>
    <name>TripHeaderRow</name>
    <message>
        <source>%1  %2 local time</source>
        <extracomment>trip header: %1 date, %2 start–end time, in the computer&apos;s time zone</extracomment>
        <translation>%1  %2 현지 시각</translation>
    </message>
    <message>
        <source>Files: %1</source>
        <extracomment>trip header: how many files (every channel) the trip holds</extracomment>
        <translation>파일: %1</translation>
    </message>
    <message>
        <source>Recording without a date</source>
        <extracomment>trip header of a recording whose time is unknown</extracomment>
        <translation>날짜 없는 녹화</translation>
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
        <translation>동영상 편집</translation>
    </message>
    <message>
        <source>视频轨迹</source>
        <extracomment>heading of the track choice</extracomment>
        <translation>트랙</translation>
    </message>
    <message>
        <source>  视频轨道</source>
        <extracomment>keep the video track</extracomment>
        <translation>  비디오 트랙</translation>
    </message>
    <message>
        <source>  音频轨道</source>
        <extracomment>keep the audio track</extracomment>
        <translation>  오디오 트랙</translation>
    </message>
    <message>
        <source>00:00</source>
        <extracomment>start label as the form stores it</extracomment>
        <translation>00:00</translation>
    </message>
    <message>
        <source>Original Resolution</source>
        <extracomment>resolution button, followed by the size estimate</extracomment>
        <translation>원본 해상도</translation>
    </message>
    <message>
        <source>cutVideo_Success</source>
        <extracomment>cut written</extracomment>
        <translation>편집이 완료되었습니다</translation>
    </message>
    <message>
        <source>cutVideo_Fail</source>
        <extracomment>cut failed</extracomment>
        <translation>편집에 실패했습니다</translation>
    </message>
    <message>
        <source>Show speed, time and position on the video</source>
        <extracomment>cut option: burn speed, time and position into the picture</extracomment>
        <translation>영상에 속도, 시간, 위치 표시</translation>
    </message>
    <message>
        <source>Save the track beside the cut</source>
        <extracomment>cut option: write GPX and CSV of the range next to the cut</extracomment>
        <translation>잘라낸 영상 옆에 경로 저장</translation>
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
        <translation>파일이 이동되었거나 삭제되었습니다</translation>
    </message>
    <message>
        <source>video_cannot_play</source>
        <extracomment>the chosen recording is damaged or not a video</extracomment>
        <translation>이 영상을 재생할 수 없습니다</translation>
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
