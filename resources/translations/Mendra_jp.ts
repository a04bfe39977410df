<?xml version="1.0" encoding="utf-8"?>
<!DOCTYPE TS>
<TS version="2.1" language="ja" sourcelanguage="en">
<context>
    <name>AboutView</name>
    <message>
        <source>About</source>
        <translation>バージョン情報</translation>
    </message>
    <message>
        <source>Tavik Mendra</source>
        <translation>Tavik Mendra</translation>
    </message>
    <message>
        <source>Current version:</source>
        <translation>現在のバージョン：</translation>
    </message>
    <message>
        <source>Customer support</source>
        <translation>カスタマーサポート</translation>
    </message>
    <message>
        <source>&lt;html&gt;&lt;head/&gt;&lt;body&gt;&lt;p&gt;&lt;br/&gt;&lt;/p&gt;&lt;/body&gt;&lt;/html&gt;</source>
        <translation>&lt;html&gt;&lt;head/&gt;&lt;body&gt;&lt;p&gt;&lt;br/&gt;&lt;/p&gt;&lt;/body&gt;&lt;/html&gt;</translation>
    </message>
    <message>
        <source>Official website</source>
        <translation>公式サイト</translation>
    </message>
    <message>
        <source>Copyright © 2016-2026 Tavik Software. All rights reserved.</source>
        <translation>Copyright © 2016-2026 Tavik Software. 無断転載を禁じます。</translation>
    </message>
</context>
<context>
    <name>BugReportView</name>
    <message>
        <source>Bug Report</source>
        <translation>不具合の報告</translation>
    </message>
    <message>
        <source>Please send us the questions you encountered during the use of this software. We will answer you as soon as we receive it.</source>
        <translation>本ソフトウェアのご使用中に発生した問題をお送りください。受信後、できるだけ早くご返答いたします。</translation>
    </message>
    <message>
        <source>Attach File</source>
        <translation>ファイルを添付</translation>
    </message>
    <message>
        <source>Submit</source>
        <translation>送信</translation>
    </message>
</context>
<context>
    <name>CComponentInstallThread</name>
    <message>
        <source>Checking...</source>
        <translation>確認中...</translation>
    </message>
    <message>
        <source>Downloading...</source>
        <translation>ダウンロード中...</translation>
    </message>
    <message>
        <source>Decompressing...</source>
        <translation>解凍中...</translation>
    </message>
    <message>
        <source>Installing...</source>
        <translation>インストール中...</translation>
    </message>
</context>
<context>
    <name>CComponentProgressDialog</name>
    <message>
        <source>Component Install</source>
        <translation>コンポーネントのインストール</translation>
    </message>
    <message>
        <source>Retry</source>
        <translation>再試行</translation>
    </message>
    <message>
        <source>or</source>
        <translation>または</translation>
    </message>
    <message>
        <source>contact our support team</source>
        <translation>サポートチームに問い合わせる</translation>
    </message>
    <message>
        <source>Finishing the install, please wait...</source>
        <translation>インストールを完了しています。しばらくお待ちください...</translation>
    </message>
    <message>
        <source>Failed</source>
        <translation>失敗しました</translation>
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
        <translation>キャンセル</translation>
    </message>
    <message>
        <source>Yes</source>
        <translation>はい</translation>
    </message>
    <message>
        <source>No</source>
        <translation>いいえ</translation>
    </message>
    <message>
        <source>Retry</source>
        <translation>再試行</translation>
    </message>
    <message>
        <source>Apply</source>
        <translation>適用</translation>
    </message>
    <message>
        <source>Ignore</source>
        <translation>無視</translation>
    </message>
    <message>
        <source>Save</source>
        <translation>保存</translation>
    </message>
    <message>
        <source>Don&apos;t Save</source>
        <translation>保存しない</translation>
    </message>
</context>
<context>
    <name>CVersion</name>
    <message>
        <source>%1.%2.%3 (Build %4)</source>
        <translation>%1.%2.%3（ビルド %4）</translation>
    </message>
</context>
<context>
    <name>CWindowsFrame</name>
    <message>
        <source>Settings</source>
        <translation>設定</translation>
    </message>
    <message>
        <source>Help center</source>
        <translation>ヘルプセンター</translation>
    </message>
    <message>
        <source>feedback</source>
        <translation>フィードバック</translation>
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
        <translation>Tavik Mendra - 標準モード</translation>
    </message>
    <message>
        <source>Tavik Mendra - Advanced Mode</source>
        <translation>Tavik Mendra - 高度なモード</translation>
    </message>
    <message>
        <source>Select firmware</source>
        <translation>ファームウェアを選択</translation>
    </message>
    <message>
        <source>*.ipsw</source>
        <translation>*.ipsw</translation>
    </message>
    <message>
        <source>Yes</source>
        <translation>はい</translation>
    </message>
    <message>
        <source>No</source>
        <translation>いいえ</translation>
    </message>
    <message>
        <source>OK</source>
        <translation>OK</translation>
    </message>
    <message>
        <source>Supported Files</source>
        <translation>サポートされているファイル</translation>
    </message>
</context>
<context>
    <name>Mendra</name>
    <message>
        <source>Start</source>
        <translation>開始</translation>
    </message>
    <message>
        <source>Download</source>
        <translation>ダウンロード</translation>
    </message>
    <message>
        <source>Download again</source>
        <translation>再ダウンロード</translation>
    </message>
    <message>
        <source>Fixing</source>
        <translation>修復中</translation>
    </message>
    <message>
        <source>Try again</source>
        <translation>再試行</translation>
    </message>
    <message>
        <source>Done</source>
        <translation>完了</translation>
    </message>
    <message>
        <source>Fix Now</source>
        <translation>今すぐ修復</translation>
    </message>
    <message>
        <source>Enter Recovery Mode</source>
        <translation>リカバリーモードに入る</translation>
    </message>
    <message>
        <source>Quit Recovery Mode</source>
        <translation>リカバリーモードを終了</translation>
    </message>
    <message>
        <source>Quit DFU Mode</source>
        <translation>DFU モードを終了</translation>
    </message>
    <message>
        <source>Downloading the Firmware package...</source>
        <translation>ファームウェアパッケージをダウンロードしています...</translation>
    </message>
    <message>
        <source>Download finished...</source>
        <translation>ダウンロードが完了しました...</translation>
    </message>
    <message>
        <source>Downloading failed. Error code:</source>
        <translation>ダウンロードに失敗しました。エラーコード：</translation>
    </message>
    <message>
        <source>Verifying the Firmware package...</source>
        <translation>ファームウェアパッケージを検証しています...</translation>
    </message>
    <message>
        <source>Verified finished...</source>
        <translation>検証が完了しました...</translation>
    </message>
    <message>
        <source>Verifying failed. Error code:</source>
        <translation>検証に失敗しました。エラーコード：</translation>
    </message>
    <message>
        <source>, description:</source>
        <translation>、説明：</translation>
    </message>
    <message>
        <source>Please keep the Internet well connected.</source>
        <translation>インターネットに安定して接続した状態を保ってください。</translation>
    </message>
    <message>
        <source>Please try other System versions or use the Advanced Mode.</source>
        <translation>別のシステムバージョンを試すか、高度なモードを使用してください。</translation>
    </message>
    <message>
        <source>Yes</source>
        <translation>はい</translation>
    </message>
    <message>
        <source>No</source>
        <translation>いいえ</translation>
    </message>
    <message>
        <source>Ok</source>
        <translation>OK</translation>
    </message>
    <message>
        <source>Please re-connect the device to scan and fix.</source>
        <translation>スキャンと修復を行うには、デバイスを再接続してください。</translation>
    </message>
    <message>
        <source>Are you sure you want to stop downloading the firmware package?</source>
        <translation>ファームウェアパッケージのダウンロードを中止してもよろしいですか？</translation>
    </message>
    <message>
        <source>Are you sure you want to stop verifying the firmware package?</source>
        <translation>ファームウェアパッケージの検証を中止してもよろしいですか？</translation>
    </message>
    <message>
        <source>Firmware package will be re-verfied after going back.
Go back?</source>
        <translation>戻ると、ファームウェアパッケージがもう一度検証されます。
戻りますか？</translation>
    </message>
    <message>
        <source>Are you sure to stop fixing?</source>
        <translation>修復を中止してもよろしいですか？</translation>
    </message>
    <message>
        <source>The device is being repaired, please do not close the program.</source>
        <translation>デバイスを修復しています。プログラムを閉じないでください。</translation>
    </message>
    <message>
        <source>Failed to enter Recovery Mode? Click here to enter DFU Mode.</source>
        <translation>リカバリーモードに入れない場合は、ここをクリックして DFU モードに入ってください。</translation>
    </message>
    <message>
        <source>Failed to enter DFU Mode? Click here to enter Recovery Mode.</source>
        <translation>DFU モードに入れない場合は、ここをクリックしてリカバリーモードに入ってください。</translation>
    </message>
    <message>
        <source>Secondary Verification</source>
        <translation>再検証</translation>
    </message>
    <message>
        <source>Unziping</source>
        <translation>展開中</translation>
    </message>
    <message>
        <source>Repairing</source>
        <translation>修復中</translation>
    </message>
    <message>
        <source>Repair complete</source>
        <translation>修復完了</translation>
    </message>
    <message>
        <source>Contact us for more help.</source>
        <translation>サポートが必要な場合は、お問い合わせください。</translation>
    </message>
    <message>
        <source>Reparing. It takes about 10min...</source>
        <translation>修復しています。約 10 分かかります...</translation>
    </message>
    <message>
        <source>1. Keep your device connected, and do not use it during fixing.</source>
        <translation>1. 修復中はデバイスを接続したままにし、操作しないでください。</translation>
    </message>
    <message>
        <source>Repair Success.</source>
        <translation>修復に成功しました。</translation>
    </message>
    <message>
        <source>Please restart to check the device.
If the repair fails, please restart your device and PC before trying again.</source>
        <translation>デバイスを再起動して確認してください。
修復に失敗した場合は、デバイスとパソコンを再起動してからもう一度お試しください。</translation>
    </message>
    <message>
        <source>Repair failed.</source>
        <translation>修復に失敗しました。</translation>
    </message>
    <message>
        <source>Check whether the device restarts. If the restart fails, please restart computer and device before you use Advanced Mode to try again.</source>
        <translation>デバイスが再起動するか確認してください。再起動しない場合は、パソコンとデバイスを再起動してから、高度なモードでもう一度お試しください。</translation>
    </message>
    <message>
        <source>Device is connected but not recognized</source>
        <translation>デバイスは接続されていますが、認識されません</translation>
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
        <translation>白いリンゴマークでフリーズ 
黒い画面でフリーズ 
再起動ループから抜けられない 
「iTunes に接続」画面でフリーズ 
「スライドでアップグレード」画面でフリーズ 
リカバリーモードから抜けられない 
DFU モードから抜けられない 
ヘッドホンモードから抜けられない 
データ復元の途中でフリーズ 
iPhone がフリーズ 
iPhone が使用できない 
iPhone が文鎮化 
iPad が文鎮化 
iPhone の再起動ループ 
iPhone のクラッシュ 
iPhone のブルースクリーン 
iPhone が再起動を繰り返す 
iPhone のアクティベーションエラー 
iPhone の電源が入らない 
iPad の電源が入らない 
iPhone のレッドスクリーン 
iPhone の電源が切れない 
iPhone の電源が何度も切れる 
iPhone をアップデートできない 
iPhone のアップデートに失敗 
iPhone が読み込み画面でフリーズ 
「iPhone は使用できません。iTunes に接続」と表示される 
「iPhone を復元できませんでした」エラー 
iPhone を復元できない 
iPhone を充電できない 
iPhone が圏外</translation>
    </message>
    <message>
        <source>Please choose Standard Mode or Advanced Mode first.</source>
        <translation>先に標準モードまたは高度なモードを選択してください。</translation>
    </message>
    <message>
        <source>The device to be fixed is not connected. Please connect it and try again.</source>
        <translation>修復するデバイスが接続されていません。デバイスを接続してから、もう一度お試しください。</translation>
    </message>
    <message>
        <source>The repair could not be started. Please restart the program and try again.</source>
        <translation>修復を開始できませんでした。プログラムを再起動してから、もう一度お試しください。</translation>
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
        <translation>所有者</translation>
    </message>
    <message>
        <source>Enter Recovery Mode</source>
        <translation>リカバリーモードに入る</translation>
    </message>
    <message>
        <source>Device is not connected</source>
        <translation>デバイスが接続されていません</translation>
    </message>
    <message>
        <source>Mendra</source>
        <translation>Mendra</translation>
    </message>
    <message>
        <source>Fix 50+ iOS issues like various stuck problems, black screen, etc.</source>
        <translation>各種フリーズや黒い画面など、50 種類以上の iOS の問題を修復します。</translation>
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
        <translation>対応機種：</translation>
    </message>
    <message>
        <source>Notes:</source>
        <translation>注意事項：</translation>
    </message>
    <message>
        <source>1. Won`t fix harware issues.</source>
        <translation>1. ハードウェアの問題は修復できません。</translation>
    </message>
    <message>
        <source>2. Connect only a device for safe fix.</source>
        <translation>2. 安全に修復するため、接続するデバイスは 1 台だけにしてください。</translation>
    </message>
    <message>
        <source>1. Fix over 20 problems such as black screen of death, stuck on Apple logo, stuck in recovery mode, etc.</source>
        <translation>1. 黒い画面、Apple ロゴでのフリーズ、リカバリーモードから抜けられないなど、20 種類以上の問題を修復します。</translation>
    </message>
    <message>
        <source>2. Repairing iOS system won’t cause any data loss.</source>
        <translation>2. iOS システムを修復してもデータは失われません。</translation>
    </message>
    <message>
        <source>Standard Mode</source>
        <translation>標準モード</translation>
    </message>
    <message>
        <source>1. Try this mode if iOS issues can&apos;t be fixed under Standard Mode.</source>
        <translation>1. 標準モードで iOS の問題を修復できない場合は、このモードをお試しください。</translation>
    </message>
    <message>
        <source>2. Repairing iOS system would erase your data.</source>
        <translation>2. iOS システムを修復すると、データが消去されます。</translation>
    </message>
    <message>
        <source>Advanced Mode</source>
        <translation>高度なモード</translation>
    </message>
    <message>
        <source>Please connect your iOS device to PC</source>
        <translation>iOS デバイスをパソコンに接続してください</translation>
    </message>
    <message>
        <source>1. Make sure you&apos;ve unlocked the device.</source>
        <translation>1. デバイスのロックが解除されていることを確認してください。</translation>
    </message>
    <message>
        <source>2. Please check the USB connection.</source>
        <translation>2. USB 接続を確認してください。</translation>
    </message>
    <message>
        <source>The firmware is already to complete.</source>
        <translation>ファームウェアの準備ができました。</translation>
    </message>
    <message>
        <source>Firmware version:</source>
        <translation>ファームウェアのバージョン：</translation>
    </message>
    <message>
        <source>1. Won&apos;t fix hardware issues.</source>
        <translation>1. ハードウェアの問題は修復できません。</translation>
    </message>
    <message>
        <source>2. Device requires to be re-activated after fixing.</source>
        <translation>2. 修復後、デバイスの再アクティベーションが必要です。</translation>
    </message>
    <message>
        <source>Repairing. It takes about 10min...</source>
        <translation>修復しています。約 10 分かかります...</translation>
    </message>
    <message>
        <source>Please restart to check the device.
If the repair fails, please restart your device and PC before trying again.</source>
        <translation>デバイスを再起動して確認してください。
修復に失敗した場合は、デバイスとパソコンを再起動してからもう一度お試しください。</translation>
    </message>
    <message>
        <source>Note:</source>
        <translation>注意：</translation>
    </message>
    <message>
        <source>1. Keep your device connected,and do not use it during fixing.</source>
        <translation>1. 修復中はデバイスを接続したままにし、操作しないでください。</translation>
    </message>
    <message>
        <source>Please confirm the device.</source>
        <translation>デバイスを確認してください。</translation>
    </message>
    <message>
        <source>And select a system version before clicking  &quot;Download&quot; button.</source>
        <translation>システムバージョンを選択してから、「ダウンロード」ボタンをクリックしてください。</translation>
    </message>
    <message>
        <source>Model:</source>
        <translation>モデル：</translation>
    </message>
    <message>
        <source>System version:</source>
        <translation>システムバージョン：</translation>
    </message>
    <message>
        <source>Unable to download firmware? Click</source>
        <translation>ファームウェアをダウンロードできない場合は、</translation>
    </message>
    <message>
        <source>Browse</source>
        <translation>開く</translation>
    </message>
    <message>
        <source>to get it through the browser.</source>
        <translation>をクリックして、ブラウザーから入手してください。</translation>
    </message>
    <message>
        <source>Firmware package has been downloaded. Please select the firmware package to start repair.</source>
        <translation>ファームウェアパッケージをダウンロード済みの場合は、そのパッケージを選択して修復を開始してください。</translation>
    </message>
    <message>
        <source>Select</source>
        <translation>選択</translation>
    </message>
    <message>
        <source>Please follow the setps below to put your device into Recovery Mode.</source>
        <translation>以下の手順に従って、デバイスをリカバリーモードにしてください。</translation>
    </message>
    <message>
        <source>Other iDevices</source>
        <translation>その他のデバイス</translation>
    </message>
    <message>
        <source>iPhone 7/7 Plus</source>
        <translation>iPhone 7/7 Plus</translation>
    </message>
    <message>
        <source>iPhone 8 or later</source>
        <translation>iPhone 8 以降</translation>
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
        <translation>デバイスの電源を切り、パソコンに接続します。</translation>
    </message>
    <message>
        <source>Press and hold the Home button and the Power button at the same time.</source>
        <translation>ホームボタンと電源ボタンを同時に長押しします。</translation>
    </message>
    <message>
        <source>Keep holding them until you see the recovery-mode screen.</source>
        <translation>リカバリーモードの画面が表示されるまで押し続けます。</translation>
    </message>
    <message>
        <source>Press and hold the Power button and the Volume Down button at the same time.</source>
        <translation>電源ボタンと音量を下げるボタンを同時に長押しします。</translation>
    </message>
    <message>
        <source>Press and quickly release the Volume Up button. Press and quickly release the Volume Down button. Then press and hold the Power button.</source>
        <translation>音量を上げるボタンを押してすぐに放し、音量を下げるボタンを押してすぐに放します。次に電源ボタンを長押しします。</translation>
    </message>
    <message>
        <source>Keep holding Power button until you see the recovery-mode screen.</source>
        <translation>リカバリーモードの画面が表示されるまで電源ボタンを押し続けます。</translation>
    </message>
    <message>
        <source>Connect your Apple TV to the computer with a Micro-USB cable. Plug in the power cord for the 3rd generation and leave 2nd generation unplugged.</source>
        <translation>Micro-USB ケーブルで Apple TV をパソコンに接続します。第 3 世代は電源コードを接続し、第 2 世代は電源コードを外したままにします。</translation>
    </message>
    <message>
        <source>Press and hold Menu and Down buttons on the Remote. Release them until you see the indicator light on the box start flashing repidly.</source>
        <translation>リモコンの Menu ボタンと下ボタンを長押しします。本体のランプが速く点滅し始めたら放します。</translation>
    </message>
    <message>
        <source>Keep holding Menu and Play/Pause buttons for 6s and then release them.</source>
        <translation>Menu ボタンと再生/一時停止ボタンを 6 秒間押し続けてから放します。</translation>
    </message>
    <message>
        <source>Connect your Apple TV to the computer with a USB-C cable. Plug in the power cord.</source>
        <translation>USB-C ケーブルで Apple TV をパソコンに接続し、電源コードを接続します。</translation>
    </message>
    <message>
        <source>Press and hold Menu and Home buttons on the Remote. Release them until you see the indicator light on the box start flashing rapidly.</source>
        <translation>リモコンの Menu ボタンとホームボタンを長押しします。本体のランプが速く点滅し始めたら放します。</translation>
    </message>
    <message>
        <source>Please follow the setps below to put your device into DFU Mode.</source>
        <translation>以下の手順に従って、デバイスを DFU モードにしてください。</translation>
    </message>
    <message>
        <source>Press and hold the Home button and the Power button for 10 seconds.</source>
        <translation>ホームボタンと電源ボタンを同時に 10 秒間長押しします。</translation>
    </message>
    <message>
        <source>Release the Power button, but still keep holding the Home button for about 5 seconds.</source>
        <translation>電源ボタンを放し、ホームボタンはそのまま約 5 秒間押し続けます。</translation>
    </message>
    <message>
        <source>Press and hold the Power button and the Volume Down button for 8 seconds.</source>
        <translation>電源ボタンと音量を下げるボタンを同時に 8 秒間長押しします。</translation>
    </message>
    <message>
        <source>Release the Power button,but still keep holding the Volume Down button for about 5 seconds.</source>
        <translation>電源ボタンを放し、音量を下げるボタンはそのまま約 5 秒間押し続けます。</translation>
    </message>
    <message>
        <source>Please connect device to computer. Quick press Volume Up button and release. Quick press Volume Down button and release. Press and hold Power button for 10s.</source>
        <translation>デバイスをパソコンに接続します。音量を上げるボタンを押してすぐに放し、音量を下げるボタンを押してすぐに放します。次に電源ボタンを 10 秒間長押しします。</translation>
    </message>
    <message>
        <source>While holding Power button, press and hold Volume Down button for 5s.</source>
        <translation>電源ボタンを押したまま、音量を下げるボタンを 5 秒間長押しします。</translation>
    </message>
    <message>
        <source>Release Power button but keep holding Volume Down button for another 10s.</source>
        <translation>電源ボタンを放し、音量を下げるボタンはさらに 10 秒間押し続けます。</translation>
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
        <translation>iPhone SE（第2世代）</translation>
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
        <translation>iPad Pro（第4世代、11&quot;/12.9&quot;）</translation>
    </message>
    <message>
        <source>iPad Pro (3rd, 11&quot;/12.9&quot;)</source>
        <translation>iPad Pro（第3世代、11&quot;/12.9&quot;）</translation>
    </message>
    <message>
        <source>iPad Pro (2nd, 10.5&apos;&apos;/12.9&apos;&apos;)</source>
        <translation>iPad Pro（第2世代、10.5&apos;&apos;/12.9&apos;&apos;）</translation>
    </message>
    <message>
        <source>iPad Pro (1st, 12.9&apos;&apos;)</source>
        <translation>iPad Pro（第1世代、12.9&apos;&apos;）</translation>
    </message>
    <message>
        <source>iPad Pro (1st, 9.7&apos;&apos;)</source>
        <translation>iPad Pro（第1世代、9.7&apos;&apos;）</translation>
    </message>
    <message>
        <source>iPad Mini (5th generation)</source>
        <translation>iPad Mini（第5世代）</translation>
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
        <translation>iPad Air（第4世代）</translation>
    </message>
    <message>
        <source>iPad Air (3rd generation)</source>
        <translation>iPad Air（第3世代）</translation>
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
        <translation>iPad（第8世代）</translation>
    </message>
    <message>
        <source>iPad (7th generation)</source>
        <translation>iPad（第7世代）</translation>
    </message>
    <message>
        <source>iPad (6th generation)</source>
        <translation>iPad（第6世代）</translation>
    </message>
    <message>
        <source>iPad (5th generation)</source>
        <translation>iPad（第5世代）</translation>
    </message>
    <message>
        <source>iPad (4th generation)</source>
        <translation>iPad（第4世代）</translation>
    </message>
    <message>
        <source>iPad 2</source>
        <translation>iPad 2</translation>
    </message>
    <message>
        <source>iPad (1st generation)</source>
        <translation>iPad（第1世代）</translation>
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
        <translation>Apple TV（第3世代）</translation>
    </message>
    <message>
        <source>Apple TV 2nd Generation</source>
        <translation>Apple TV（第2世代）</translation>
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
        <translation>コンポーネントをインストールしました。
プログラムを再起動してから、デバイスを再接続してください。</translation>
    </message>
    <message>
        <source>Ok</source>
        <translation>OK</translation>
    </message>
    <message>
        <source>Initiating failed!</source>
        <translation>初期化に失敗しました！</translation>
    </message>
    <message>
        <source>Skin initialization failed!</source>
        <translation>スキンの初期化に失敗しました！</translation>
    </message>
    <message>
        <source>Partial skin files initialing failed!</source>
        <translation>一部のスキンファイルの初期化に失敗しました！</translation>
    </message>
</context>
<context>
    <name>MyBugReportView</name>
    <message>
        <source>Invalid email address.</source>
        <translation>メールアドレスが無効です。</translation>
    </message>
    <message>
        <source>Invalid characters in the name.</source>
        <translation>名前に無効な文字が含まれています。</translation>
    </message>
    <message>
        <source>The attachment is larger than %1 MB.</source>
        <translation>添付ファイルが %1 MB を超えています。</translation>
    </message>
    <message>
        <source>The file %1 cannot be attached.</source>
        <translation>ファイル %1 は添付できません。</translation>
    </message>
    <message>
        <source>Email</source>
        <translation>メールアドレス</translation>
    </message>
    <message>
        <source>Name</source>
        <translation>お名前</translation>
    </message>
    <message>
        <source>If you have encountered some problems or received an error,please send us your details or screenshots.</source>
        <translation>問題が発生した場合やエラーが表示された場合は、詳細またはスクリーンショットをお送りください。</translation>
    </message>
    <message>
        <source>Bug reports are not set up on this installation.</source>
        <translation>このインストールでは不具合の報告が設定されていません。</translation>
    </message>
    <message>
        <source>Attachment: %1</source>
        <translation>添付ファイル: %1</translation>
    </message>
    <message>
        <source>Add Attachment</source>
        <translation>添付ファイルを追加</translation>
    </message>
</context>
<context>
    <name>MyFrame</name>
    <message>
        <source>Menu</source>
        <translation>メニュー</translation>
    </message>
    <message>
        <source>Language</source>
        <translation>言語</translation>
    </message>
    <message>
        <source>Setting</source>
        <translation>設定</translation>
    </message>
    <message>
        <source>User Guide</source>
        <translation>ユーザーガイド</translation>
    </message>
    <message>
        <source>Bug Report</source>
        <translation>不具合の報告</translation>
    </message>
    <message>
        <source>About</source>
        <translation>バージョン情報</translation>
    </message>
    <message>
        <source>Check for update</source>
        <translation>アップデートを確認</translation>
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
        <translation>不具合の報告を送信しました。</translation>
    </message>
    <message>
        <source>Bug Report sent failed!</source>
        <translation>不具合の報告を送信できませんでした。</translation>
    </message>
</context>
<context>
    <name>MySettingView</name>
    <message>
        <source>Open Directory</source>
        <translation>フォルダーを開く</translation>
    </message>
    <message>
        <source>There is not enough disk space. Please clean up the destination disk or select another folder.</source>
        <translation>ディスクの空き容量が不足しています。保存先のディスクを整理するか、別のフォルダーを選択してください。</translation>
    </message>
    <message>
        <source>This folder cannot be written to. Please select another folder.</source>
        <translation>このフォルダーには書き込めません。別のフォルダーを選択してください。</translation>
    </message>
</context>
<context>
    <name>MyUpdateView</name>
    <message>
        <source>Current version:</source>
        <translation>現在のバージョン：</translation>
    </message>
    <message>
        <source>Update available:</source>
        <translation>利用可能なアップデート：</translation>
    </message>
</context>
<context>
    <name>QObject</name>
    <message>
        <source>Database has been upgraded. Please restart program.</source>
        <translation>データベースが更新されました。プログラムを再起動してください。</translation>
    </message>
    <message>
        <source>Device not connected. Please re-connect device.</source>
        <translation>デバイスが接続されていません。デバイスを再接続してください。</translation>
    </message>
    <message>
        <source>The repair ended without a result. Please try again.</source>
        <translation>修復は結果が得られないまま終了しました。もう一度お試しください。</translation>
    </message>
    <message>
        <source>Failed to enter recovery mode. Please try again.</source>
        <translation>リカバリーモードに入れませんでした。もう一度お試しください。</translation>
    </message>
    <message>
        <source>Failed to quit recovery mode. Please try again.</source>
        <translation>リカバリーモードを終了できませんでした。もう一度お試しください。</translation>
    </message>
    <message>
        <source>Device detected. Please select mode to fix it.</source>
        <translation>デバイスが検出されました。修復モードを選択してください。</translation>
    </message>
    <message>
        <source>Downloading/Verifying Firmware package...
Are you sure to exit?</source>
        <translation>ファームウェアパッケージをダウンロード/検証しています...
終了してもよろしいですか？</translation>
    </message>
    <message>
        <source>Fixing the device now.
Quiting might result in unknown device errors. Please don&apos;t shut down the program before the fixing completes. </source>
        <translation>デバイスを修復しています。
今終了すると、デバイスに予期しないエラーが発生するおそれがあります。修復が完了するまでプログラムを終了しないでください。</translation>
    </message>
    <message>
        <source>Time out in requesting background data. (-100)</source>
        <translation>バックグラウンドデータの要求がタイムアウトしました。(-100)</translation>
    </message>
    <message>
        <source>Internal data error.</source>
        <translation>内部データエラーです。</translation>
    </message>
    <message>
        <source>Program can&apos;t connect to the Internet. You could modify the Proxy settings in &quot;Settings - Connection&quot;.</source>
        <translation>プログラムがインターネットに接続できません。「設定 - 接続」でプロキシ設定を変更できます。</translation>
    </message>
    <message>
        <source>Update:failed to find product record.</source>
        <translation>アップデート：製品情報が見つかりません。</translation>
    </message>
    <message>
        <source>Updateable</source>
        <translation>アップデート可能</translation>
    </message>
    <message>
        <source>Update:you are using the newest version.</source>
        <translation>アップデート：最新バージョンをご使用中です。</translation>
    </message>
    <message>
        <source>Update:xml data error.</source>
        <translation>アップデート：XML データエラーです。</translation>
    </message>
    <message>
        <source>Other errors. Please contact our Customer Service Center.</source>
        <translation>その他のエラーです。カスタマーサービスセンターまでお問い合わせください。</translation>
    </message>
    <message>
        <source>Sending a bug report. Please try another later.</source>
        <translation>不具合の報告を送信中です。しばらくしてからもう一度お試しください。</translation>
    </message>
    <message>
        <source>Please describe the problem clearly before submitting.</source>
        <translation>送信する前に問題の内容をはっきりと記入してください。</translation>
    </message>
    <message>
        <source>Unknown error, try again please.</source>
        <translation>不明なエラーです。もう一度お試しください。</translation>
    </message>
    <message>
        <source>Bug sending failed, please try again.</source>
        <translation>不具合の報告を送信できませんでした。もう一度お試しください。</translation>
    </message>
</context>
<context>
    <name>SettingView</name>
    <message>
        <source>Setting</source>
        <translation>設定</translation>
    </message>
    <message>
        <source>Repair file download:</source>
        <translation>修復ファイルの保存先：</translation>
    </message>
    <message>
        <source>···</source>
        <translation>···</translation>
    </message>
    <message>
        <source>Open</source>
        <translation>開く</translation>
    </message>
    <message>
        <source>Automatically delete the file after completion</source>
        <translation>完了後にファイルを自動的に削除する</translation>
    </message>
</context>
<context>
    <name>TitleBar</name>
    <message>
        <source>Settings</source>
        <translation>設定</translation>
    </message>
    <message>
        <source>Help center</source>
        <translation>ヘルプセンター</translation>
    </message>
    <message>
        <source>feedback</source>
        <translation>フィードバック</translation>
    </message>
</context>
<context>
    <name>UpdateView</name>
    <message>
        <source>Software Update</source>
        <translation>ソフトウェアアップデート</translation>
    </message>
    <message>
        <source>Check for update failed. Please try again later.</source>
        <translation>アップデートの確認に失敗しました。しばらくしてからもう一度お試しください。</translation>
    </message>
    <message>
        <source>Retry</source>
        <translation>再試行</translation>
    </message>
    <message>
        <source>Update</source>
        <translation>アップデート</translation>
    </message>
    <message>
        <source>Skip</source>
        <translation>スキップ</translation>
    </message>
    <message>
        <source>You are using the latest version.</source>
        <translation>最新バージョンをご使用中です。</translation>
    </message>
    <message>
        <source>OK</source>
        <translation>OK</translation>
    </message>
</context>
</TS>
