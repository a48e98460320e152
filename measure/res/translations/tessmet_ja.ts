<?xml version="1.0" encoding="utf-8"?>
<!DOCTYPE TS>
<TS version="2.1" language="ja" sourcelanguage="en">
<context>
    <name>CommandTable</name>
    <message>
        <source>Zoom &amp;Up</source>
        <translation>ズームアップ(&amp;U)</translation>
    </message>
    <message>
        <source>Zoom &amp;Down</source>
        <translation>ズームダウン(&amp;D)</translation>
    </message>
    <message>
        <source>Magnification &amp;Setup</source>
        <translation>表示倍率設定(&amp;S)</translation>
    </message>
    <message>
        <source>&amp;Mouse Zoom</source>
        <translation>マウスズーム(&amp;M)</translation>
    </message>
    <message>
        <source>&amp;Zoom Window</source>
        <translation>ズームウィンドウ(&amp;Z)</translation>
    </message>
    <message>
        <source>&amp;Scale</source>
        <translation>スケール(&amp;S)</translation>
    </message>
    <message>
        <source>&amp;Vertical Luminance</source>
        <translation>垂直輝度(&amp;V)</translation>
    </message>
    <message>
        <source>&amp;Horizontal Luminance</source>
        <translation>水平輝度(&amp;H)</translation>
    </message>
    <message>
        <source>&amp;Center Line</source>
        <translation>センターライン(&amp;C)</translation>
    </message>
    <message>
        <source>&amp;Grid Line</source>
        <translation>グリッドライン(&amp;G)</translation>
    </message>
    <message>
        <source>&amp;Original Picture Layer</source>
        <translation>原画像レイヤ(&amp;O)</translation>
    </message>
    <message>
        <source>&amp;Image Processing Layer</source>
        <translation>画像処理レイヤ(&amp;I)</translation>
    </message>
    <message>
        <source>&amp;Draw Layer</source>
        <translation>描画レイヤ(&amp;D)</translation>
    </message>
    <message>
        <source>&amp;Measure Layer</source>
        <translation>計測レイヤ(&amp;M)</translation>
    </message>
    <message>
        <source>Vie&amp;w Toolbar</source>
        <translation>表示ツールバー(&amp;W)</translation>
    </message>
    <message>
        <source>Measu&amp;re Toolbar</source>
        <translation>計測ツールバー(&amp;R)</translation>
    </message>
    <message>
        <source>Se&amp;lect Toolbar</source>
        <translation>選択ツールバー(&amp;L)</translation>
    </message>
    <message>
        <source>&amp;Binary Image</source>
        <translation>2値化(&amp;B)</translation>
    </message>
    <message>
        <source>Detect &amp;Center</source>
        <translation>中心検出(&amp;C)</translation>
    </message>
    <message>
        <source>&amp;Gray Image</source>
        <translation>グレー画像(&amp;G)</translation>
    </message>
    <message>
        <source>Display C&amp;olor Distribution</source>
        <translation>色分布表示(&amp;O)</translation>
    </message>
    <message>
        <source>Cl&amp;ear</source>
        <translation>クリア(&amp;E)</translation>
    </message>
    <message>
        <source>&amp;2 Point Distance</source>
        <translation>2点間距離(&amp;2)</translation>
    </message>
    <message>
        <source>&amp;Vertical Distance</source>
        <translation>垂線距離(&amp;V)</translation>
    </message>
    <message>
        <source>&amp;Area</source>
        <translation>面積(&amp;A)</translation>
    </message>
    <message>
        <source>A&amp;ngle</source>
        <translation>角度(&amp;N)</translation>
    </message>
    <message>
        <source>2 &amp;Lines Angle</source>
        <translation>2直線の角度(&amp;L)</translation>
    </message>
    <message>
        <source>2 Point &amp;Radius</source>
        <translation>2点半径(&amp;R)</translation>
    </message>
    <message>
        <source>&amp;3 Point Radius</source>
        <translation>3点半径(&amp;3)</translation>
    </message>
    <message>
        <source>Cen&amp;ter Distance</source>
        <translation>中点距離(&amp;T)</translation>
    </message>
    <message>
        <source>Measure Res&amp;ult</source>
        <translation>計測結果(&amp;U)</translation>
    </message>
    <message>
        <source>&amp;Line</source>
        <translation>直線(&amp;L)</translation>
    </message>
    <message>
        <source>&amp;Rectangular</source>
        <translation>矩形(&amp;R)</translation>
    </message>
    <message>
        <source>&amp;Circle</source>
        <translation>円(&amp;C)</translation>
    </message>
    <message>
        <source>&amp;Text</source>
        <translation>テキスト(&amp;T)</translation>
    </message>
    <message>
        <source>&amp;Draw Setup</source>
        <translation>描画設定(&amp;D)</translation>
    </message>
    <message>
        <source>&amp;Calibration Setup</source>
        <translation>キャリブレーション設定(&amp;C)</translation>
    </message>
    <message>
        <source>&amp;Other Setup</source>
        <translation>その他の設定(&amp;O)</translation>
    </message>
    <message>
        <source>&amp;Rectangular Type</source>
        <translation>矩形(&amp;R)</translation>
    </message>
    <message>
        <source>E&amp;llipse Type</source>
        <translation>楕円(&amp;L)</translation>
    </message>
    <message>
        <source>&amp;Polygon Type</source>
        <translation>多角形(&amp;P)</translation>
    </message>
    <message>
        <source>&amp;Save</source>
        <translation>上書き保存(&amp;S)</translation>
    </message>
    <message>
        <source>Save &amp;As...</source>
        <translation>名前を付けて保存(&amp;A)...</translation>
    </message>
    <message>
        <source>&amp;Close All</source>
        <translation>すべて閉じる(&amp;C)</translation>
    </message>
    <message>
        <source>Scroll Right</source>
        <translation>右へスクロール</translation>
    </message>
    <message>
        <source>Scroll Left</source>
        <translation>左へスクロール</translation>
    </message>
    <message>
        <source>Scroll Down</source>
        <translation>下へスクロール</translation>
    </message>
    <message>
        <source>Scroll Up</source>
        <translation>上へスクロール</translation>
    </message>
    <message>
        <source>Window C&amp;hange</source>
        <translation>ウィンドウ切り替え(&amp;H)</translation>
    </message>
    <message>
        <source>&amp;Open...</source>
        <translation>開く(&amp;O)...</translation>
    </message>
    <message>
        <source>Recent File</source>
        <translation>最近使ったファイル</translation>
    </message>
    <message>
        <source>&amp;Undo</source>
        <translation>元に戻す(&amp;U)</translation>
    </message>
    <message>
        <source>&amp;Cascade</source>
        <translation>重ねて表示(&amp;C)</translation>
    </message>
    <message>
        <source>&amp;Tile</source>
        <translation>並べて表示(&amp;T)</translation>
    </message>
    <message>
        <source>&amp;About Tessmet...</source>
        <translation>Tessmet のバージョン情報(&amp;A)...</translation>
    </message>
    <message>
        <source>E&amp;xit</source>
        <translation>終了(&amp;X)</translation>
    </message>
    <message>
        <source>&amp;Toolbar</source>
        <translation>ツールバー(&amp;T)</translation>
    </message>
    <message>
        <source>Status &amp;Bar</source>
        <translation>ステータスバー(&amp;B)</translation>
    </message>
    <message>
        <source>&amp;File</source>
        <translation>ファイル(&amp;F)</translation>
    </message>
    <message>
        <source>&amp;Edit</source>
        <translation>編集(&amp;E)</translation>
    </message>
    <message>
        <source>&amp;View</source>
        <translation>表示(&amp;V)</translation>
    </message>
    <message>
        <source>&amp;Zoom</source>
        <translation>ズーム(&amp;Z)</translation>
    </message>
    <message>
        <source>&amp;ROI</source>
        <translation>ROI(&amp;R)</translation>
    </message>
    <message>
        <source>&amp;Image Processing</source>
        <translation>画像処理(&amp;I)</translation>
    </message>
    <message>
        <source>&amp;Measure</source>
        <translation>計測(&amp;M)</translation>
    </message>
    <message>
        <source>&amp;Draw</source>
        <translation>描画(&amp;D)</translation>
    </message>
    <message>
        <source>&amp;Setup</source>
        <translation>設定(&amp;S)</translation>
    </message>
    <message>
        <source>&amp;Window</source>
        <translation>ウィンドウ(&amp;W)</translation>
    </message>
    <message>
        <source>&amp;Help</source>
        <translation>ヘルプ(&amp;H)</translation>
    </message>
    <message>
        <source>Standard</source>
        <translation>標準</translation>
    </message>
    <message>
        <source>View</source>
        <translation>表示</translation>
    </message>
    <message>
        <source>Measure</source>
        <translation>計測</translation>
    </message>
    <message>
        <source>Select</source>
        <translation>選択</translation>
    </message>
</context>
<context>
    <name>StringTable</name>
    <message>
        <source>The picture file which can be opened on a screen is 64 pictures.</source>
        <translation>同時に開くことのできる画像ファイルは 64 枚までです。</translation>
    </message>
    <message>
        <source>The file is not opened.</source>
        <translation>ファイルを開けませんでした。</translation>
    </message>
    <message>
        <source>It does not correspond to the bitmap file of 16 and 256 colors.</source>
        <translation>16 色および 256 色のビットマップファイルには対応していません。</translation>
    </message>
    <message>
        <source>The display magnification is returned to a default.</source>
        <translation>表示倍率を標準に戻します。</translation>
    </message>
    <message>
        <source>Since a setup is reflected, a screen is redrawn.</source>
        <translation>設定を反映するため、画面を再描画します。</translation>
    </message>
    <message>
        <source>  Double click ends selection</source>
        <translation>  ダブルクリックで選択を終了します</translation>
    </message>
    <message>
        <source>  Two specified straight lines are parallel</source>
        <translation>  指定した 2 本の直線が平行です</translation>
    </message>
    <message>
        <source>  The angle of two straight lines is too small</source>
        <translation>  2 本の直線のなす角度が小さすぎます</translation>
    </message>
    <message>
        <source>The system font was changed. A screen is reconstructed.</source>
        <translation>システムフォントが変更されました。画面を再構成します。</translation>
    </message>
    <message>
        <source>May I overwrite preservation of the picture file?</source>
        <translation>画像ファイルに上書き保存してもよろしいですか？</translation>
    </message>
    <message>
        <source>The ROI has not been setup.</source>
        <translation>ROI が設定されていません。</translation>
    </message>
    <message>
        <source>Resolution</source>
        <translation>分解能</translation>
    </message>
    <message>
        <source>Horz</source>
        <translation>水平</translation>
    </message>
    <message>
        <source>Vert</source>
        <translation>垂直</translation>
    </message>
    <message>
        <source>Scale Pitch</source>
        <translation>スケールピッチ</translation>
    </message>
    <message>
        <source>Resolution has not setup</source>
        <translation>分解能が設定されていません</translation>
    </message>
    <message>
        <source>Start Calibration.</source>
        <translation>キャリブレーションを開始します。</translation>
    </message>
    <message>
        <source>Calibration was ended normally.</source>
        <translation>キャリブレーションが正常に終了しました。</translation>
    </message>
    <message>
        <source>Since it is the midst of a calibration, a program cannot be ended.
Please push an ESC key, for escaping from a calibration mode.</source>
        <translation>キャリブレーション中のため、プログラムを終了できません。
キャリブレーションモードを抜けるには ESC キーを押してください。</translation>
    </message>
    <message>
        <source>Is it interrupted although it is the midst of a calibration?</source>
        <translation>キャリブレーション中ですが、中断しますか？</translation>
    </message>
    <message>
        <source>Calibration went wrong. Please perform a calibration again.</source>
        <translation>キャリブレーションに失敗しました。もう一度キャリブレーションを行ってください。</translation>
    </message>
    <message>
        <source>Calibration is performed.</source>
        <translation>キャリブレーションを行います。</translation>
    </message>
    <message>
        <source>Please setup the 1st object.</source>
        <translation>1 本目の対象を指定してください。</translation>
    </message>
    <message>
        <source>Please setup the 2nd object succeedingly.</source>
        <translation>続けて 2 本目の対象を指定してください。</translation>
    </message>
    <message>
        <source>Please setup to attach the degree of angle with the straight line set as the 1st.</source>
        <translation>1 本目に指定した直線と角度をつけて指定してください。</translation>
    </message>
    <message>
        <source>Zoom Display</source>
        <translation>ズーム表示</translation>
    </message>
    <message>
        <source>Solid line</source>
        <translation>実線</translation>
    </message>
    <message>
        <source>Dash line</source>
        <translation>破線</translation>
    </message>
    <message>
        <source>Dot line</source>
        <translation>点線</translation>
    </message>
    <message>
        <source>Dash dot line</source>
        <translation>一点鎖線</translation>
    </message>
    <message>
        <source>Dash dot dot line</source>
        <translation>二点鎖線</translation>
    </message>
    <message>
        <source>When line width is except one, it becomes a solid line.</source>
        <translation>線の太さが 1 以外のときは実線になります。</translation>
    </message>
    <message>
        <source>2 Point Distance</source>
        <translation>2 点間距離</translation>
    </message>
    <message>
        <source>Vertical Distance</source>
        <translation>垂線距離</translation>
    </message>
    <message>
        <source>Area</source>
        <translation>面積</translation>
    </message>
    <message>
        <source>Angle</source>
        <translation>角度</translation>
    </message>
    <message>
        <source>2 Lines Angle</source>
        <translation>2 直線の角度</translation>
    </message>
    <message>
        <source>2 Point Radius</source>
        <translation>2 点半径</translation>
    </message>
    <message>
        <source>3 Point Radius</source>
        <translation>3 点半径</translation>
    </message>
    <message>
        <source>Center Distance</source>
        <translation>中点距離</translation>
    </message>
    <message>
        <source>Distance</source>
        <translation>距離</translation>
    </message>
    <message>
        <source>Angle[degree]</source>
        <translation>角度[度]</translation>
    </message>
    <message>
        <source>Radius</source>
        <translation>半径</translation>
    </message>
    <message>
        <source>The magnification file was loaded normally.</source>
        <translation>倍率ファイルを正常に読み込みました。</translation>
    </message>
    <message>
        <source>Loading of a magnification file went wrong.</source>
        <translation>倍率ファイルの読み込みに失敗しました。</translation>
    </message>
    <message>
        <source>A magnification file does not exist.</source>
        <translation>倍率ファイルが存在しません。</translation>
    </message>
    <message>
        <source>Can not find magnification file.</source>
        <translation>倍率ファイルが見つかりません。</translation>
    </message>
    <message>
        <source>Do you save at a setting file and end?</source>
        <translation>設定ファイルに保存して終了しますか？</translation>
    </message>
    <message>
        <source>Please set numerical values other than zero to resolution.</source>
        <translation>分解能には 0 以外の数値を設定してください。</translation>
    </message>
    <message>
        <source>Zero are set as measurement distance.
Please set numerical values other than zero to measurement distance.</source>
        <translation>計測距離に 0 が設定されています。
計測距離には 0 以外の数値を設定してください。</translation>
    </message>
    <message>
        <source>Enlarges the display magnification
Zoom Up</source>
        <translation>表示倍率を上げます
ズームアップ</translation>
    </message>
    <message>
        <source>Reduces the display magnification
Zoom Down</source>
        <translation>表示倍率を下げます
ズームダウン</translation>
    </message>
    <message>
        <source>Display a magnification setup dialog
Zoom - Magnification Setup</source>
        <translation>表示倍率設定ダイアログを表示します
ズーム - 表示倍率設定</translation>
    </message>
    <message>
        <source>Zooms with the mouse: left click enlarges, right click reduces
Mouse Zoom</source>
        <translation>マウスでズームします（左クリックで拡大、右クリックで縮小）
マウスズーム</translation>
    </message>
    <message>
        <source>Display zoom window
Zoom - Window</source>
        <translation>ズームウィンドウを表示します
ズーム - ウィンドウ</translation>
    </message>
    <message>
        <source>Show or hide the scale
Toggle Scale</source>
        <translation>スケールの表示/非表示を切り替えます
スケールの切り替え</translation>
    </message>
    <message>
        <source>Show or hide the vertical luminance
Toggle Vertical Luminance</source>
        <translation>垂直輝度の表示/非表示を切り替えます
垂直輝度の切り替え</translation>
    </message>
    <message>
        <source>Show or hide the horizontal luminance
Toggle Horizontal Luminance</source>
        <translation>水平輝度の表示/非表示を切り替えます
水平輝度の切り替え</translation>
    </message>
    <message>
        <source>Show or hide the center line
Toggle Center Line</source>
        <translation>センターラインの表示/非表示を切り替えます
センターラインの切り替え</translation>
    </message>
    <message>
        <source>Show or hide the grid line
Toggle Grid Line</source>
        <translation>グリッドラインの表示/非表示を切り替えます
グリッドラインの切り替え</translation>
    </message>
    <message>
        <source>Show or hide the original picture layer
Toggle Original Picture Layer</source>
        <translation>原画像レイヤの表示/非表示を切り替えます
原画像レイヤの切り替え</translation>
    </message>
    <message>
        <source>Show or hide the image processing layer
Toggle Image Processing Layer</source>
        <translation>画像処理レイヤの表示/非表示を切り替えます
画像処理レイヤの切り替え</translation>
    </message>
    <message>
        <source>Show or hide the draw layer
Toggle Draw Layer</source>
        <translation>描画レイヤの表示/非表示を切り替えます
描画レイヤの切り替え</translation>
    </message>
    <message>
        <source>Show or hide the measure layer
Toggle Measure Layer</source>
        <translation>計測レイヤの表示/非表示を切り替えます
計測レイヤの切り替え</translation>
    </message>
    <message>
        <source>Show or hide the view toolbar
Toggle View ToolBar</source>
        <translation>表示ツールバーの表示/非表示を切り替えます
表示ツールバーの切り替え</translation>
    </message>
    <message>
        <source>Show or hide the measure toolbar
Toggle Measure ToolBar</source>
        <translation>計測ツールバーの表示/非表示を切り替えます
計測ツールバーの切り替え</translation>
    </message>
    <message>
        <source>Show or hide the select toolbar
Toggle Select ToolBar</source>
        <translation>選択ツールバーの表示/非表示を切り替えます
選択ツールバーの切り替え</translation>
    </message>
    <message>
        <source>Image is binarizd
Image Processing - Binary Image</source>
        <translation>画像を 2 値化します
画像処理 - 2値化</translation>
    </message>
    <message>
        <source>The center of a image is detected
Image Processing - Detect Center</source>
        <translation>画像の中心を検出します
画像処理 - 中心検出</translation>
    </message>
    <message>
        <source>Image is grayed
Image Processing - Gray Image</source>
        <translation>画像をグレー化します
画像処理 - グレー画像</translation>
    </message>
    <message>
        <source>Display color distribution
Image Processing - Display Color Distribution</source>
        <translation>色分布を表示します
画像処理 - 色分布表示</translation>
    </message>
    <message>
        <source>The image processing layer is cleared
Image Processing - Clear</source>
        <translation>画像処理レイヤをクリアします
画像処理 - クリア</translation>
    </message>
    <message>
        <source>Measures by 2 point distance type
Measure - 2 Point Distance</source>
        <translation>2 点間距離を計測します
計測 - 2点間距離</translation>
    </message>
    <message>
        <source>Measures by vertical distance type
Measure - Vertical Distance</source>
        <translation>垂線距離を計測します
計測 - 垂線距離</translation>
    </message>
    <message>
        <source>Measures by area type
Measure - Area</source>
        <translation>面積を計測します
計測 - 面積</translation>
    </message>
    <message>
        <source>Measures by angle type
Measure - Angle</source>
        <translation>角度を計測します
計測 - 角度</translation>
    </message>
    <message>
        <source>Measures by 2 lines angle type
Measure - 2 Lines Angle</source>
        <translation>2 直線のなす角度を計測します
計測 - 2直線の角度</translation>
    </message>
    <message>
        <source>Measures by 2 point radius type
Measure - 2 Point Radius</source>
        <translation>中心と円周上の 1 点から半径を計測します
計測 - 2点半径</translation>
    </message>
    <message>
        <source>Measures by 3 point radius type
Measure - 3 Point Radius</source>
        <translation>円周上の 3 点から半径を計測します
計測 - 3点半径</translation>
    </message>
    <message>
        <source>Measures by center distance type
Measure - Center Distance</source>
        <translation>2 点の中点までの距離を計測します
計測 - 中点距離</translation>
    </message>
    <message>
        <source>All measurements are cleared
Measure - Clear</source>
        <translation>すべての計測をクリアします
計測 - クリア</translation>
    </message>
    <message>
        <source>Show or hide the measure result dialog
Toggle Measure Result</source>
        <translation>計測結果ダイアログの表示/非表示を切り替えます
計測結果の切り替え</translation>
    </message>
    <message>
        <source>Draws a line (with Ctrl: input by coordinates)
Draw - Line</source>
        <translation>直線を描画します（Ctrl キーを押しながら選ぶと座標で入力）
描画 - 直線</translation>
    </message>
    <message>
        <source>Draws a rectangle (with Ctrl: input by coordinates)
Draw - Rectangular</source>
        <translation>矩形を描画します（Ctrl キーを押しながら選ぶと座標で入力）
描画 - 矩形</translation>
    </message>
    <message>
        <source>Draws a circle (with Ctrl: input by coordinates)
Draw - Circle</source>
        <translation>円を描画します（Ctrl キーを押しながら選ぶと座標で入力）
描画 - 円</translation>
    </message>
    <message>
        <source>Draws a text (with Ctrl: input by coordinates)
Draw - Text</source>
        <translation>テキストを描画します（Ctrl キーを押しながら選ぶと座標で入力）
描画 - テキスト</translation>
    </message>
    <message>
        <source>All drawings are cleared
Draw - Clear</source>
        <translation>すべての描画をクリアします
描画 - クリア</translation>
    </message>
    <message>
        <source>Display a draw setup dialog
Setup - Draw Setup</source>
        <translation>描画設定ダイアログを表示します
設定 - 描画設定</translation>
    </message>
    <message>
        <source>Display a Calibration setup dialog
Setup - Calibration Setup</source>
        <translation>キャリブレーション設定ダイアログを表示します
設定 - キャリブレーション設定</translation>
    </message>
    <message>
        <source>Display a other setup dialog
Setup - Other Setup</source>
        <translation>その他の設定ダイアログを表示します
設定 - その他の設定</translation>
    </message>
    <message>
        <source>Sets a rectangular ROI (with Ctrl: input by coordinates)
ROI - Rectangular Type</source>
        <translation>矩形の ROI を設定します（Ctrl キーを押しながら選ぶと座標で入力）
ROI - 矩形</translation>
    </message>
    <message>
        <source>Sets an ellipse ROI (with Ctrl: input by coordinates)
ROI - Ellipse Type</source>
        <translation>楕円の ROI を設定します（Ctrl キーを押しながら選ぶと座標で入力）
ROI - 楕円</translation>
    </message>
    <message>
        <source>Sets a polygon ROI; a double click ends selection
ROI - Polygon Type</source>
        <translation>多角形の ROI を設定します。ダブルクリックで選択を終了します
ROI - 多角形</translation>
    </message>
    <message>
        <source>The ROI is returned to the whole image
ROI - Clear</source>
        <translation>ROI を画像全体に戻します
ROI - クリア</translation>
    </message>
    <message>
        <source>Save the picture with its measurements and drawings over its file
Save</source>
        <translation>計測と描画を含めた画像を元のファイルに上書き保存します
上書き保存</translation>
    </message>
    <message>
        <source>Save the picture with its measurements and drawings under a new name
Save As</source>
        <translation>計測と描画を含めた画像に名前を付けて保存します
名前を付けて保存</translation>
    </message>
    <message>
        <source>Close all pictures
Close All</source>
        <translation>すべての画像を閉じます
すべて閉じる</translation>
    </message>
    <message>
        <source>Scrolls the picture to the right
Scroll Right</source>
        <translation>画像を右へスクロールします
右へスクロール</translation>
    </message>
    <message>
        <source>Scrolls the picture to the left
Scroll Left</source>
        <translation>画像を左へスクロールします
左へスクロール</translation>
    </message>
    <message>
        <source>Scrolls the picture down
Scroll Down</source>
        <translation>画像を下へスクロールします
下へスクロール</translation>
    </message>
    <message>
        <source>Scrolls the picture up
Scroll Up</source>
        <translation>画像を上へスクロールします
上へスクロール</translation>
    </message>
    <message>
        <source>Activates the next picture window
Window Change</source>
        <translation>次の画像ウィンドウをアクティブにします
ウィンドウ切り替え</translation>
    </message>
    <message>
        <source>Ready</source>
        <translation>レディ</translation>
    </message>
    <message>
        <source>Open a picture file
Open</source>
        <translation>画像ファイルを開きます
開く</translation>
    </message>
    <message>
        <source>Open this picture</source>
        <translation>この画像を開きます</translation>
    </message>
    <message>
        <source>Undo the last measurement or drawing
Undo</source>
        <translation>直前の計測または描画を取り消します
元に戻す</translation>
    </message>
    <message>
        <source>Arrange the picture windows so they overlap
Cascade Windows</source>
        <translation>画像ウィンドウを重ねて表示します
重ねて表示</translation>
    </message>
    <message>
        <source>Arrange the picture windows as tiles
Tile Windows</source>
        <translation>画像ウィンドウを並べて表示します
並べて表示</translation>
    </message>
    <message>
        <source>Display program information and version
About</source>
        <translation>プログラムの情報とバージョンを表示します
バージョン情報</translation>
    </message>
    <message>
        <source>Quit the application
Exit</source>
        <translation>アプリケーションを終了します
終了</translation>
    </message>
    <message>
        <source>Show or hide the toolbar
Toggle ToolBar</source>
        <translation>ツールバーの表示/非表示を切り替えます
ツールバーの切り替え</translation>
    </message>
    <message>
        <source>Show or hide the status bar
Toggle StatusBar</source>
        <translation>ステータスバーの表示/非表示を切り替えます
ステータスバーの切り替え</translation>
    </message>
</context>
<context>
    <name>tessmet::CDrawSetupDlg</name>
    <message>
        <source>Draw Setup</source>
        <translation>描画設定</translation>
    </message>
    <message>
        <source>Color / Width / Type</source>
        <translation>色 / 線幅 / 線種</translation>
    </message>
    <message>
        <source>Color</source>
        <translation>色</translation>
    </message>
    <message>
        <source>Width</source>
        <translation>線幅</translation>
    </message>
    <message>
        <source>Type</source>
        <translation>線種</translation>
    </message>
    <message>
        <source>Image Processing:</source>
        <translation>画像処理:</translation>
    </message>
    <message>
        <source>Measure:</source>
        <translation>計測:</translation>
    </message>
    <message>
        <source>Draw:</source>
        <translation>描画:</translation>
    </message>
    <message>
        <source>Additional Line:</source>
        <translation>補助線:</translation>
    </message>
    <message>
        <source>Use Inverse Color</source>
        <translation>反転色を使用</translation>
    </message>
    <message>
        <source>Font</source>
        <translation>フォント</translation>
    </message>
    <message>
        <source>Setup</source>
        <translation>設定</translation>
    </message>
    <message>
        <source>Default</source>
        <translation>デフォルト</translation>
    </message>
    <message>
        <source>OK</source>
        <translation>OK</translation>
    </message>
    <message>
        <source>Cancel</source>
        <translation>キャンセル</translation>
    </message>
</context>
<context>
    <name>tessmet::COtherSetupDlg</name>
    <message>
        <source>Other Setup</source>
        <translation>その他の設定</translation>
    </message>
    <message>
        <source>Display Setup</source>
        <translation>表示設定</translation>
    </message>
    <message>
        <source>Center Line Offset:</source>
        <translation>センターラインオフセット:</translation>
    </message>
    <message>
        <source>Grid Width:</source>
        <translation>グリッド幅:</translation>
    </message>
    <message>
        <source>JPEG Setup</source>
        <translation>JPEG 設定</translation>
    </message>
    <message>
        <source>Image Quality:</source>
        <translation>画質:</translation>
    </message>
    <message>
        <source>(1: Low -- 9: High)</source>
        <translation>(1: 低 -- 9: 高)</translation>
    </message>
    <message>
        <source>Measure Setup</source>
        <translation>計測設定</translation>
    </message>
    <message>
        <source>[Distance] Use Arrow Type Line</source>
        <translation>[距離] 矢印付きの線で描く</translation>
    </message>
    <message>
        <source>[Area] Fill Area</source>
        <translation>[面積] 領域を塗りつぶす</translation>
    </message>
    <message>
        <source>OK</source>
        <translation>OK</translation>
    </message>
    <message>
        <source>Cancel</source>
        <translation>キャンセル</translation>
    </message>
</context>
<context>
    <name>tessmet::CRoiSetupDlg</name>
    <message>
        <source>ROI Setup</source>
        <translation>ROI 設定</translation>
    </message>
    <message>
        <source>Horz</source>
        <translation>水平</translation>
    </message>
    <message>
        <source>Vert</source>
        <translation>垂直</translation>
    </message>
    <message>
        <source>Start Point:</source>
        <translation>始点:</translation>
    </message>
    <message>
        <source>End Point:</source>
        <translation>終点:</translation>
    </message>
    <message>
        <source>The same ROI use by all pictures</source>
        <translation>全ての画像で同じ ROI を使用</translation>
    </message>
    <message>
        <source>OK</source>
        <translation>OK</translation>
    </message>
    <message>
        <source>Cancel</source>
        <translation>キャンセル</translation>
    </message>
</context>
<context>
    <name>tessmet::CoordinateEntryDlg</name>
    <message>
        <source>Horizontal</source>
        <translation>水平</translation>
    </message>
    <message>
        <source>Vertical</source>
        <translation>垂直</translation>
    </message>
    <message>
        <source>OK</source>
        <translation>OK</translation>
    </message>
    <message>
        <source>Cancel</source>
        <translation>キャンセル</translation>
    </message>
</context>
<context>
    <name>tessmet::CDrawLineDlg</name>
    <message>
        <source>Draw Line</source>
        <translation>直線の描画</translation>
    </message>
    <message>
        <source>Draw Rectangle</source>
        <translation>矩形の描画</translation>
    </message>
    <message>
        <source>Start Point:</source>
        <translation>始点:</translation>
    </message>
    <message>
        <source>End Point:</source>
        <translation>終点:</translation>
    </message>
</context>
<context>
    <name>tessmet::CDrawCircleDlg</name>
    <message>
        <source>Draw Circle</source>
        <translation>円の描画</translation>
    </message>
    <message>
        <source>Center:</source>
        <translation>中心:</translation>
    </message>
    <message>
        <source>Radius:</source>
        <translation>半径:</translation>
    </message>
</context>
<context>
    <name>tessmet::CDrawTextDlg</name>
    <message>
        <source>Draw Text</source>
        <translation>文字の描画</translation>
    </message>
    <message>
        <source>Position:</source>
        <translation>描画位置:</translation>
    </message>
    <message>
        <source>Text:</source>
        <translation>文字列:</translation>
    </message>
</context>
<context>
    <name>tessmet::CZoomSetupDlg</name>
    <message>
        <source>Zoom Setup</source>
        <translation>表示倍率設定</translation>
    </message>
    <message>
        <source>Select Magnification</source>
        <translation>倍率の選択</translation>
    </message>
    <message>
        <source>OK</source>
        <translation>OK</translation>
    </message>
    <message>
        <source>Cancel</source>
        <translation>キャンセル</translation>
    </message>
</context>
<context>
    <name>FileChooser</name>
    <message>
        <source>Image File (*.bmp,*.jpg)</source>
        <translation>画像ファイル (*.bmp,*.jpg)</translation>
    </message>
    <message>
        <source>Bitmap (*.bmp)</source>
        <translation>ビットマップ ファイル (*.bmp)</translation>
    </message>
    <message>
        <source>JPEG (*.jpg)</source>
        <translation>JPEG ファイル (*.jpg)</translation>
    </message>
</context>
<context>
    <name>tessmet::AboutDialog</name>
    <message>
        <source>About Tessmet</source>
        <translation>Tessmet のバージョン情報</translation>
    </message>
    <message>
        <source>Tessmet Version %1</source>
        <translation>Tessmet バージョン %1</translation>
    </message>
    <message>
        <source>Measurement software for the digital microscope camera</source>
        <translation>デジタルマイクロスコープカメラ用計測ソフトウェア</translation>
    </message>
</context>
</TS>
