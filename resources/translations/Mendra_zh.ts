<?xml version="1.0" encoding="utf-8"?>
<!DOCTYPE TS>
<TS version="2.1" language="zh_CN" sourcelanguage="en">
<context>
    <name>AboutView</name>
    <message>
        <source>About</source>
        <translation>关于</translation>
    </message>
    <message>
        <source>Tavik Mendra</source>
        <translation>Tavik Mendra</translation>
    </message>
    <message>
        <source>Current version:</source>
        <translation>当前版本：</translation>
    </message>
    <message>
        <source>Customer support</source>
        <translation>客户支持</translation>
    </message>
    <message>
        <source>&lt;html&gt;&lt;head/&gt;&lt;body&gt;&lt;p&gt;&lt;br/&gt;&lt;/p&gt;&lt;/body&gt;&lt;/html&gt;</source>
        <translation>&lt;html&gt;&lt;head/&gt;&lt;body&gt;&lt;p&gt;&lt;br/&gt;&lt;/p&gt;&lt;/body&gt;&lt;/html&gt;</translation>
    </message>
    <message>
        <source>Official website</source>
        <translation>官方网站</translation>
    </message>
    <message>
        <source>Copyright © 2016-2026 Tavik Software. All rights reserved.</source>
        <translation>版权所有 © 2016-2026 Tavik Software。保留所有权利。</translation>
    </message>
</context>
<context>
    <name>BugReportView</name>
    <message>
        <source>Bug Report</source>
        <translation>报告问题</translation>
    </message>
    <message>
        <source>Please send us the questions you encountered during the use of this software. We will answer you as soon as we receive it.</source>
        <translation>请将您在使用本软件过程中遇到的问题发送给我们，我们收到后会尽快回复您。</translation>
    </message>
    <message>
        <source>Attach File</source>
        <translation>添加附件</translation>
    </message>
    <message>
        <source>Submit</source>
        <translation>提交</translation>
    </message>
</context>
<context>
    <name>CComponentInstallThread</name>
    <message>
        <source>Checking...</source>
        <translation>正在检查...</translation>
    </message>
    <message>
        <source>Downloading...</source>
        <translation>正在下载...</translation>
    </message>
    <message>
        <source>Decompressing...</source>
        <translation>正在解压...</translation>
    </message>
    <message>
        <source>Installing...</source>
        <translation>正在安装...</translation>
    </message>
</context>
<context>
    <name>CComponentProgressDialog</name>
    <message>
        <source>Component Install</source>
        <translation>组件安装</translation>
    </message>
    <message>
        <source>Retry</source>
        <translation>重试</translation>
    </message>
    <message>
        <source>or</source>
        <translation>或</translation>
    </message>
    <message>
        <source>contact our support team</source>
        <translation>联系我们的支持团队</translation>
    </message>
    <message>
        <source>Finishing the install, please wait...</source>
        <translation>正在完成安装，请稍候...</translation>
    </message>
    <message>
        <source>Failed</source>
        <translation>失败</translation>
    </message>
</context>
<context>
    <name>CMessageBox</name>
    <message>
        <source>OK</source>
        <translation>确定</translation>
    </message>
    <message>
        <source>Cancel</source>
        <translation>取消</translation>
    </message>
    <message>
        <source>Yes</source>
        <translation>是</translation>
    </message>
    <message>
        <source>No</source>
        <translation>否</translation>
    </message>
    <message>
        <source>Retry</source>
        <translation>重试</translation>
    </message>
    <message>
        <source>Apply</source>
        <translation>应用</translation>
    </message>
    <message>
        <source>Ignore</source>
        <translation>忽略</translation>
    </message>
    <message>
        <source>Save</source>
        <translation>保存</translation>
    </message>
    <message>
        <source>Don&apos;t Save</source>
        <translation>不保存</translation>
    </message>
</context>
<context>
    <name>CVersion</name>
    <message>
        <source>%1.%2.%3 (Build %4)</source>
        <translation>%1.%2.%3（内部版本 %4）</translation>
    </message>
</context>
<context>
    <name>CWindowsFrame</name>
    <message>
        <source>Settings</source>
        <translation>设置</translation>
    </message>
    <message>
        <source>Help center</source>
        <translation>帮助中心</translation>
    </message>
    <message>
        <source>feedback</source>
        <translation>反馈</translation>
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
        <translation>Tavik Mendra - 标准模式</translation>
    </message>
    <message>
        <source>Tavik Mendra - Advanced Mode</source>
        <translation>Tavik Mendra - 高级模式</translation>
    </message>
    <message>
        <source>Select firmware</source>
        <translation>选择固件</translation>
    </message>
    <message>
        <source>*.ipsw</source>
        <translation>*.ipsw</translation>
    </message>
    <message>
        <source>Yes</source>
        <translation>是</translation>
    </message>
    <message>
        <source>No</source>
        <translation>否</translation>
    </message>
    <message>
        <source>OK</source>
        <translation>确定</translation>
    </message>
    <message>
        <source>Supported Files</source>
        <translation>支持的文件</translation>
    </message>
</context>
<context>
    <name>Mendra</name>
    <message>
        <source>Start</source>
        <translation>开始</translation>
    </message>
    <message>
        <source>Download</source>
        <translation>下载</translation>
    </message>
    <message>
        <source>Download again</source>
        <translation>重新下载</translation>
    </message>
    <message>
        <source>Fixing</source>
        <translation>正在修复</translation>
    </message>
    <message>
        <source>Try again</source>
        <translation>重试</translation>
    </message>
    <message>
        <source>Done</source>
        <translation>完成</translation>
    </message>
    <message>
        <source>Fix Now</source>
        <translation>立即修复</translation>
    </message>
    <message>
        <source>Enter Recovery Mode</source>
        <translation>进入恢复模式</translation>
    </message>
    <message>
        <source>Quit Recovery Mode</source>
        <translation>退出恢复模式</translation>
    </message>
    <message>
        <source>Quit DFU Mode</source>
        <translation>退出 DFU 模式</translation>
    </message>
    <message>
        <source>Downloading the Firmware package...</source>
        <translation>正在下载固件包...</translation>
    </message>
    <message>
        <source>Download finished...</source>
        <translation>下载完成...</translation>
    </message>
    <message>
        <source>Downloading failed. Error code:</source>
        <translation>下载失败。错误代码：</translation>
    </message>
    <message>
        <source>Verifying the Firmware package...</source>
        <translation>正在校验固件包...</translation>
    </message>
    <message>
        <source>Verified finished...</source>
        <translation>校验完成...</translation>
    </message>
    <message>
        <source>Verifying failed. Error code:</source>
        <translation>校验失败。错误代码：</translation>
    </message>
    <message>
        <source>, description:</source>
        <translation>，描述：</translation>
    </message>
    <message>
        <source>Please keep the Internet well connected.</source>
        <translation>请保持网络连接畅通。</translation>
    </message>
    <message>
        <source>Please try other System versions or use the Advanced Mode.</source>
        <translation>请尝试其他系统版本，或使用高级模式。</translation>
    </message>
    <message>
        <source>Yes</source>
        <translation>是</translation>
    </message>
    <message>
        <source>No</source>
        <translation>否</translation>
    </message>
    <message>
        <source>Ok</source>
        <translation>确定</translation>
    </message>
    <message>
        <source>Please re-connect the device to scan and fix.</source>
        <translation>请重新连接设备，以便扫描和修复。</translation>
    </message>
    <message>
        <source>Are you sure you want to stop downloading the firmware package?</source>
        <translation>确定要停止下载固件包吗？</translation>
    </message>
    <message>
        <source>Are you sure you want to stop verifying the firmware package?</source>
        <translation>确定要停止校验固件包吗？</translation>
    </message>
    <message>
        <source>Firmware package will be re-verfied after going back.
Go back?</source>
        <translation>返回后将重新校验固件包。
确定要返回吗？</translation>
    </message>
    <message>
        <source>Are you sure to stop fixing?</source>
        <translation>确定要停止修复吗？</translation>
    </message>
    <message>
        <source>The device is being repaired, please do not close the program.</source>
        <translation>正在修复设备，请勿关闭程序。</translation>
    </message>
    <message>
        <source>Failed to enter Recovery Mode? Click here to enter DFU Mode.</source>
        <translation>无法进入恢复模式？点击此处进入 DFU 模式。</translation>
    </message>
    <message>
        <source>Failed to enter DFU Mode? Click here to enter Recovery Mode.</source>
        <translation>无法进入 DFU 模式？点击此处进入恢复模式。</translation>
    </message>
    <message>
        <source>Secondary Verification</source>
        <translation>二次校验</translation>
    </message>
    <message>
        <source>Unziping</source>
        <translation>正在解压</translation>
    </message>
    <message>
        <source>Repairing</source>
        <translation>正在修复</translation>
    </message>
    <message>
        <source>Repair complete</source>
        <translation>修复完成</translation>
    </message>
    <message>
        <source>Contact us for more help.</source>
        <translation>联系我们获取更多帮助。</translation>
    </message>
    <message>
        <source>Reparing. It takes about 10min...</source>
        <translation>正在修复，大约需要 10 分钟...</translation>
    </message>
    <message>
        <source>1. Keep your device connected, and do not use it during fixing.</source>
        <translation>1. 修复期间请保持设备连接，并且不要使用设备。</translation>
    </message>
    <message>
        <source>Repair Success.</source>
        <translation>修复成功。</translation>
    </message>
    <message>
        <source>Please restart to check the device.
If the repair fails, please restart your device and PC before trying again.</source>
        <translation>请重新启动设备进行检查。
如果修复失败，请先重新启动设备和电脑，然后再试。</translation>
    </message>
    <message>
        <source>Repair failed.</source>
        <translation>修复失败。</translation>
    </message>
    <message>
        <source>Check whether the device restarts. If the restart fails, please restart computer and device before you use Advanced Mode to try again.</source>
        <translation>请检查设备能否重新启动。如果无法重新启动，请先重新启动电脑和设备，再使用高级模式重试。</translation>
    </message>
    <message>
        <source>Device is connected but not recognized</source>
        <translation>设备已连接，但无法识别</translation>
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
        <translation>卡在白苹果界面 
卡在黑屏 
卡在循环重启 
卡在“连接 iTunes”界面 
卡在“滑动来升级”界面 
卡在恢复模式 
卡在 DFU 模式 
卡在耳机模式 
卡在数据恢复过程中 
iPhone 死机 
iPhone 已停用 
iPhone 变砖 
iPad 变砖 
iPhone 循环重启 
iPhone 崩溃 
iPhone 蓝屏 
iPhone 不断重启 
iPhone 激活错误 
iPhone 无法开机 
iPad 无法开机 
iPhone 红屏 
iPhone 无法关机 
iPhone 频繁自动关机 
iPhone 无法更新 
iPhone 更新失败 
iPhone 卡在加载界面 
iPhone 已停用，提示连接 iTunes 
iPhone 无法恢复的错误 
iPhone 无法恢复 
iPhone 无法充电 
iPhone 无服务</translation>
    </message>
    <message>
        <source>Please choose Standard Mode or Advanced Mode first.</source>
        <translation>请先选择标准模式或高级模式。</translation>
    </message>
    <message>
        <source>The device to be fixed is not connected. Please connect it and try again.</source>
        <translation>要修复的设备未连接。请连接设备后重试。</translation>
    </message>
    <message>
        <source>The repair could not be started. Please restart the program and try again.</source>
        <translation>无法开始修复。请重新启动程序后重试。</translation>
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
        <translation>进入恢复模式</translation>
    </message>
    <message>
        <source>Device is not connected</source>
        <translation>设备未连接</translation>
    </message>
    <message>
        <source>Mendra</source>
        <translation>Mendra</translation>
    </message>
    <message>
        <source>Fix 50+ iOS issues like various stuck problems, black screen, etc.</source>
        <translation>修复 50 多种 iOS 问题，如各种卡死、黑屏等。</translation>
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
        <translation>适用于：</translation>
    </message>
    <message>
        <source>Notes:</source>
        <translation>注意事项：</translation>
    </message>
    <message>
        <source>1. Won`t fix harware issues.</source>
        <translation>1. 无法修复硬件问题。</translation>
    </message>
    <message>
        <source>2. Connect only a device for safe fix.</source>
        <translation>2. 为确保安全修复，请只连接一台设备。</translation>
    </message>
    <message>
        <source>1. Fix over 20 problems such as black screen of death, stuck on Apple logo, stuck in recovery mode, etc.</source>
        <translation>1. 修复 20 多种问题，如黑屏、卡在 Apple 标志、卡在恢复模式等。</translation>
    </message>
    <message>
        <source>2. Repairing iOS system won’t cause any data loss.</source>
        <translation>2. 修复 iOS 系统不会造成任何数据丢失。</translation>
    </message>
    <message>
        <source>Standard Mode</source>
        <translation>标准模式</translation>
    </message>
    <message>
        <source>1. Try this mode if iOS issues can&apos;t be fixed under Standard Mode.</source>
        <translation>1. 如果标准模式无法修复 iOS 问题，请尝试此模式。</translation>
    </message>
    <message>
        <source>2. Repairing iOS system would erase your data.</source>
        <translation>2. 修复 iOS 系统将清除您的数据。</translation>
    </message>
    <message>
        <source>Advanced Mode</source>
        <translation>高级模式</translation>
    </message>
    <message>
        <source>Please connect your iOS device to PC</source>
        <translation>请将 iOS 设备连接到电脑</translation>
    </message>
    <message>
        <source>1. Make sure you&apos;ve unlocked the device.</source>
        <translation>1. 请确保设备已解锁。</translation>
    </message>
    <message>
        <source>2. Please check the USB connection.</source>
        <translation>2. 请检查 USB 连接。</translation>
    </message>
    <message>
        <source>The firmware is already to complete.</source>
        <translation>固件已准备就绪。</translation>
    </message>
    <message>
        <source>Firmware version:</source>
        <translation>固件版本：</translation>
    </message>
    <message>
        <source>1. Won&apos;t fix hardware issues.</source>
        <translation>1. 无法修复硬件问题。</translation>
    </message>
    <message>
        <source>2. Device requires to be re-activated after fixing.</source>
        <translation>2. 修复后需要重新激活设备。</translation>
    </message>
    <message>
        <source>Repairing. It takes about 10min...</source>
        <translation>正在修复，大约需要 10 分钟...</translation>
    </message>
    <message>
        <source>Please restart to check the device.
If the repair fails, please restart your device and PC before trying again.</source>
        <translation>请重新启动设备进行检查。
如果修复失败，请先重新启动设备和电脑，然后再试。</translation>
    </message>
    <message>
        <source>Note:</source>
        <translation>注意：</translation>
    </message>
    <message>
        <source>1. Keep your device connected,and do not use it during fixing.</source>
        <translation>1. 修复期间请保持设备连接，并且不要使用设备。</translation>
    </message>
    <message>
        <source>Please confirm the device.</source>
        <translation>请确认设备。</translation>
    </message>
    <message>
        <source>And select a system version before clicking  &quot;Download&quot; button.</source>
        <translation>并选择系统版本，然后点击“下载”按钮。</translation>
    </message>
    <message>
        <source>Model:</source>
        <translation>型号：</translation>
    </message>
    <message>
        <source>System version:</source>
        <translation>系统版本：</translation>
    </message>
    <message>
        <source>Unable to download firmware? Click</source>
        <translation>无法下载固件？请点击</translation>
    </message>
    <message>
        <source>Browse</source>
        <translation>浏览</translation>
    </message>
    <message>
        <source>to get it through the browser.</source>
        <translation>通过浏览器获取。</translation>
    </message>
    <message>
        <source>Firmware package has been downloaded. Please select the firmware package to start repair.</source>
        <translation>已下载固件包？请选择该固件包开始修复。</translation>
    </message>
    <message>
        <source>Select</source>
        <translation>选择</translation>
    </message>
    <message>
        <source>Please follow the setps below to put your device into Recovery Mode.</source>
        <translation>请按照以下步骤将设备置于恢复模式。</translation>
    </message>
    <message>
        <source>Other iDevices</source>
        <translation>其他设备</translation>
    </message>
    <message>
        <source>iPhone 7/7 Plus</source>
        <translation>iPhone 7/7 Plus</translation>
    </message>
    <message>
        <source>iPhone 8 or later</source>
        <translation>iPhone 8 及更新机型</translation>
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
        <translation>关闭设备，并将其连接到电脑。</translation>
    </message>
    <message>
        <source>Press and hold the Home button and the Power button at the same time.</source>
        <translation>同时按住主屏幕按钮和电源按钮。</translation>
    </message>
    <message>
        <source>Keep holding them until you see the recovery-mode screen.</source>
        <translation>持续按住，直到出现恢复模式界面。</translation>
    </message>
    <message>
        <source>Press and hold the Power button and the Volume Down button at the same time.</source>
        <translation>同时按住电源按钮和音量减按钮。</translation>
    </message>
    <message>
        <source>Press and quickly release the Volume Up button. Press and quickly release the Volume Down button. Then press and hold the Power button.</source>
        <translation>按下音量加按钮并快速松开，再按下音量减按钮并快速松开，然后按住电源按钮。</translation>
    </message>
    <message>
        <source>Keep holding Power button until you see the recovery-mode screen.</source>
        <translation>持续按住电源按钮，直到出现恢复模式界面。</translation>
    </message>
    <message>
        <source>Connect your Apple TV to the computer with a Micro-USB cable. Plug in the power cord for the 3rd generation and leave 2nd generation unplugged.</source>
        <translation>使用 Micro-USB 数据线将 Apple TV 连接到电脑。第三代需接通电源线，第二代请勿接通电源。</translation>
    </message>
    <message>
        <source>Press and hold Menu and Down buttons on the Remote. Release them until you see the indicator light on the box start flashing repidly.</source>
        <translation>按住遥控器上的 Menu 键和向下键，直到机身上的指示灯开始快速闪烁时再松开。</translation>
    </message>
    <message>
        <source>Keep holding Menu and Play/Pause buttons for 6s and then release them.</source>
        <translation>按住 Menu 键和播放/暂停键 6 秒，然后松开。</translation>
    </message>
    <message>
        <source>Connect your Apple TV to the computer with a USB-C cable. Plug in the power cord.</source>
        <translation>使用 USB-C 数据线将 Apple TV 连接到电脑，并接通电源线。</translation>
    </message>
    <message>
        <source>Press and hold Menu and Home buttons on the Remote. Release them until you see the indicator light on the box start flashing rapidly.</source>
        <translation>按住遥控器上的 Menu 键和主屏幕键，直到机身上的指示灯开始快速闪烁时再松开。</translation>
    </message>
    <message>
        <source>Please follow the setps below to put your device into DFU Mode.</source>
        <translation>请按照以下步骤将设备置于 DFU 模式。</translation>
    </message>
    <message>
        <source>Press and hold the Home button and the Power button for 10 seconds.</source>
        <translation>同时按住主屏幕按钮和电源按钮 10 秒。</translation>
    </message>
    <message>
        <source>Release the Power button, but still keep holding the Home button for about 5 seconds.</source>
        <translation>松开电源按钮，但继续按住主屏幕按钮约 5 秒。</translation>
    </message>
    <message>
        <source>Press and hold the Power button and the Volume Down button for 8 seconds.</source>
        <translation>同时按住电源按钮和音量减按钮 8 秒。</translation>
    </message>
    <message>
        <source>Release the Power button,but still keep holding the Volume Down button for about 5 seconds.</source>
        <translation>松开电源按钮，但继续按住音量减按钮约 5 秒。</translation>
    </message>
    <message>
        <source>Please connect device to computer. Quick press Volume Up button and release. Quick press Volume Down button and release. Press and hold Power button for 10s.</source>
        <translation>请将设备连接到电脑。快速按下并松开音量加按钮，再快速按下并松开音量减按钮，然后按住电源按钮 10 秒。</translation>
    </message>
    <message>
        <source>While holding Power button, press and hold Volume Down button for 5s.</source>
        <translation>在按住电源按钮的同时，按住音量减按钮 5 秒。</translation>
    </message>
    <message>
        <source>Release Power button but keep holding Volume Down button for another 10s.</source>
        <translation>松开电源按钮，但继续按住音量减按钮 10 秒。</translation>
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
        <translation>iPhone SE（第二代）</translation>
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
        <translation>iPad Pro（第四代，11&quot;/12.9&quot;）</translation>
    </message>
    <message>
        <source>iPad Pro (3rd, 11&quot;/12.9&quot;)</source>
        <translation>iPad Pro（第三代，11&quot;/12.9&quot;）</translation>
    </message>
    <message>
        <source>iPad Pro (2nd, 10.5&apos;&apos;/12.9&apos;&apos;)</source>
        <translation>iPad Pro（第二代，10.5&apos;&apos;/12.9&apos;&apos;）</translation>
    </message>
    <message>
        <source>iPad Pro (1st, 12.9&apos;&apos;)</source>
        <translation>iPad Pro（第一代，12.9&apos;&apos;）</translation>
    </message>
    <message>
        <source>iPad Pro (1st, 9.7&apos;&apos;)</source>
        <translation>iPad Pro（第一代，9.7&apos;&apos;）</translation>
    </message>
    <message>
        <source>iPad Mini (5th generation)</source>
        <translation>iPad Mini（第五代）</translation>
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
        <translation>iPad Air（第四代）</translation>
    </message>
    <message>
        <source>iPad Air (3rd generation)</source>
        <translation>iPad Air（第三代）</translation>
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
        <translation>iPad（第八代）</translation>
    </message>
    <message>
        <source>iPad (7th generation)</source>
        <translation>iPad（第七代）</translation>
    </message>
    <message>
        <source>iPad (6th generation)</source>
        <translation>iPad（第六代）</translation>
    </message>
    <message>
        <source>iPad (5th generation)</source>
        <translation>iPad（第五代）</translation>
    </message>
    <message>
        <source>iPad (4th generation)</source>
        <translation>iPad（第四代）</translation>
    </message>
    <message>
        <source>iPad 2</source>
        <translation>iPad 2</translation>
    </message>
    <message>
        <source>iPad (1st generation)</source>
        <translation>iPad（第一代）</translation>
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
        <translation>Apple TV（第三代）</translation>
    </message>
    <message>
        <source>Apple TV 2nd Generation</source>
        <translation>Apple TV（第二代）</translation>
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
        <translation>组件已安装。
请重新启动程序，然后重新连接设备。</translation>
    </message>
    <message>
        <source>Ok</source>
        <translation>确定</translation>
    </message>
    <message>
        <source>Initiating failed!</source>
        <translation>初始化失败！</translation>
    </message>
    <message>
        <source>Skin initialization failed!</source>
        <translation>皮肤初始化失败！</translation>
    </message>
    <message>
        <source>Partial skin files initialing failed!</source>
        <translation>部分皮肤文件初始化失败！</translation>
    </message>
</context>
<context>
    <name>MyBugReportView</name>
    <message>
        <source>Invalid email address.</source>
        <translation>电子邮件地址无效。</translation>
    </message>
    <message>
        <source>Invalid characters in the name.</source>
        <translation>姓名中含有无效字符。</translation>
    </message>
    <message>
        <source>The attachment is larger than %1 MB.</source>
        <translation>附件大于 %1 MB。</translation>
    </message>
    <message>
        <source>The file %1 cannot be attached.</source>
        <translation>无法附加文件 %1。</translation>
    </message>
    <message>
        <source>Email</source>
        <translation>电子邮件</translation>
    </message>
    <message>
        <source>Name</source>
        <translation>姓名</translation>
    </message>
    <message>
        <source>If you have encountered some problems or received an error,please send us your details or screenshots.</source>
        <translation>如果您遇到了问题或收到了错误提示，请将详细信息或截图发送给我们。</translation>
    </message>
    <message>
        <source>Bug reports are not set up on this installation.</source>
        <translation>此安装未设置问题报告功能。</translation>
    </message>
    <message>
        <source>Attachment: %1</source>
        <translation>附件：%1</translation>
    </message>
    <message>
        <source>Add Attachment</source>
        <translation>添加附件</translation>
    </message>
</context>
<context>
    <name>MyFrame</name>
    <message>
        <source>Menu</source>
        <translation>菜单</translation>
    </message>
    <message>
        <source>Language</source>
        <translation>语言</translation>
    </message>
    <message>
        <source>Setting</source>
        <translation>设置</translation>
    </message>
    <message>
        <source>User Guide</source>
        <translation>用户指南</translation>
    </message>
    <message>
        <source>Bug Report</source>
        <translation>报告问题</translation>
    </message>
    <message>
        <source>About</source>
        <translation>关于</translation>
    </message>
    <message>
        <source>Check for update</source>
        <translation>检查更新</translation>
    </message>
</context>
<context>
    <name>MyModel</name>
    <message>
        <source>Ok</source>
        <translation>确定</translation>
    </message>
    <message>
        <source>Bug Report sent successful!</source>
        <translation>问题报告发送成功！</translation>
    </message>
    <message>
        <source>Bug Report sent failed!</source>
        <translation>问题报告发送失败！</translation>
    </message>
</context>
<context>
    <name>MySettingView</name>
    <message>
        <source>Open Directory</source>
        <translation>打开目录</translation>
    </message>
    <message>
        <source>There is not enough disk space. Please clean up the destination disk or select another folder.</source>
        <translation>磁盘空间不足。请清理目标磁盘或选择其他文件夹。</translation>
    </message>
    <message>
        <source>This folder cannot be written to. Please select another folder.</source>
        <translation>无法写入此文件夹。请选择其他文件夹。</translation>
    </message>
</context>
<context>
    <name>MyUpdateView</name>
    <message>
        <source>Current version:</source>
        <translation>当前版本：</translation>
    </message>
    <message>
        <source>Update available:</source>
        <translation>可用更新：</translation>
    </message>
</context>
<context>
    <name>QObject</name>
    <message>
        <source>Database has been upgraded. Please restart program.</source>
        <translation>数据库已升级，请重新启动程序。</translation>
    </message>
    <message>
        <source>Device not connected. Please re-connect device.</source>
        <translation>设备未连接，请重新连接设备。</translation>
    </message>
    <message>
        <source>The repair ended without a result. Please try again.</source>
        <translation>修复意外结束，未得到结果。请重试。</translation>
    </message>
    <message>
        <source>Failed to enter recovery mode. Please try again.</source>
        <translation>进入恢复模式失败，请重试。</translation>
    </message>
    <message>
        <source>Failed to quit recovery mode. Please try again.</source>
        <translation>退出恢复模式失败，请重试。</translation>
    </message>
    <message>
        <source>Device detected. Please select mode to fix it.</source>
        <translation>已检测到设备，请选择修复模式。</translation>
    </message>
    <message>
        <source>Downloading/Verifying Firmware package...
Are you sure to exit?</source>
        <translation>正在下载/校验固件包...
确定要退出吗？</translation>
    </message>
    <message>
        <source>Fixing the device now.
Quiting might result in unknown device errors. Please don&apos;t shut down the program before the fixing completes. </source>
        <translation>正在修复设备。
现在退出可能导致未知的设备错误。修复完成前请勿关闭程序。</translation>
    </message>
    <message>
        <source>Time out in requesting background data. (-100)</source>
        <translation>请求后台数据超时。(-100)</translation>
    </message>
    <message>
        <source>Internal data error.</source>
        <translation>内部数据错误。</translation>
    </message>
    <message>
        <source>Program can&apos;t connect to the Internet. You could modify the Proxy settings in &quot;Settings - Connection&quot;.</source>
        <translation>程序无法连接到互联网。您可以在“设置 - 连接”中修改代理设置。</translation>
    </message>
    <message>
        <source>Update:failed to find product record.</source>
        <translation>更新：找不到产品记录。</translation>
    </message>
    <message>
        <source>Updateable</source>
        <translation>可以更新</translation>
    </message>
    <message>
        <source>Update:you are using the newest version.</source>
        <translation>更新：您使用的已是最新版本。</translation>
    </message>
    <message>
        <source>Update:xml data error.</source>
        <translation>更新：XML 数据错误。</translation>
    </message>
    <message>
        <source>Other errors. Please contact our Customer Service Center.</source>
        <translation>其他错误。请联系我们的客户服务中心。</translation>
    </message>
    <message>
        <source>Sending a bug report. Please try another later.</source>
        <translation>正在发送问题报告，请稍后再试。</translation>
    </message>
    <message>
        <source>Please describe the problem clearly before submitting.</source>
        <translation>提交前请清楚地描述问题。</translation>
    </message>
    <message>
        <source>Unknown error, try again please.</source>
        <translation>未知错误，请重试。</translation>
    </message>
    <message>
        <source>Bug sending failed, please try again.</source>
        <translation>问题报告发送失败，请重试。</translation>
    </message>
</context>
<context>
    <name>SettingView</name>
    <message>
        <source>Setting</source>
        <translation>设置</translation>
    </message>
    <message>
        <source>Repair file download:</source>
        <translation>修复文件下载位置：</translation>
    </message>
    <message>
        <source>···</source>
        <translation>···</translation>
    </message>
    <message>
        <source>Open</source>
        <translation>打开</translation>
    </message>
    <message>
        <source>Automatically delete the file after completion</source>
        <translation>完成后自动删除文件</translation>
    </message>
</context>
<context>
    <name>TitleBar</name>
    <message>
        <source>Settings</source>
        <translation>设置</translation>
    </message>
    <message>
        <source>Help center</source>
        <translation>帮助中心</translation>
    </message>
    <message>
        <source>feedback</source>
        <translation>反馈</translation>
    </message>
</context>
<context>
    <name>UpdateView</name>
    <message>
        <source>Software Update</source>
        <translation>软件更新</translation>
    </message>
    <message>
        <source>Check for update failed. Please try again later.</source>
        <translation>检查更新失败，请稍后重试。</translation>
    </message>
    <message>
        <source>Retry</source>
        <translation>重试</translation>
    </message>
    <message>
        <source>Update</source>
        <translation>更新</translation>
    </message>
    <message>
        <source>Skip</source>
        <translation>跳过</translation>
    </message>
    <message>
        <source>You are using the latest version.</source>
        <translation>您使用的已是最新版本。</translation>
    </message>
    <message>
        <source>OK</source>
        <translation>确定</translation>
    </message>
</context>
</TS>
