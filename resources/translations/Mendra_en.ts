<?xml version="1.0" encoding="utf-8"?>
<!DOCTYPE TS>
<TS version="2.1" language="en" sourcelanguage="en">
<context>
    <name>AboutView</name>
    <message>
        <source>About</source>
        <translation>About</translation>
    </message>
    <message>
        <source>Tavik Mendra</source>
        <translation>Tavik Mendra</translation>
    </message>
    <message>
        <source>Current version:</source>
        <translation>Current version:</translation>
    </message>
    <message>
        <source>Customer support</source>
        <translation>Customer support</translation>
    </message>
    <message>
        <source>&lt;html&gt;&lt;head/&gt;&lt;body&gt;&lt;p&gt;&lt;br/&gt;&lt;/p&gt;&lt;/body&gt;&lt;/html&gt;</source>
        <translation>&lt;html&gt;&lt;head/&gt;&lt;body&gt;&lt;p&gt;&lt;br/&gt;&lt;/p&gt;&lt;/body&gt;&lt;/html&gt;</translation>
    </message>
    <message>
        <source>Official website</source>
        <translation>Official website</translation>
    </message>
    <message>
        <source>Copyright © 2016-2026 Tavik Software. All rights reserved.</source>
        <translation>Copyright © 2016-2026 Tavik Software. All rights reserved.</translation>
    </message>
</context>
<context>
    <name>BugReportView</name>
    <message>
        <source>Bug Report</source>
        <translation>Bug Report</translation>
    </message>
    <message>
        <source>Please send us the questions you encountered during the use of this software. We will answer you as soon as we receive it.</source>
        <translation>Please send us the questions you encountered during the use of this software. We will answer you as soon as we receive it.</translation>
    </message>
    <message>
        <source>Attach File</source>
        <translation>Attach File</translation>
    </message>
    <message>
        <source>Submit</source>
        <translation>Submit</translation>
    </message>
</context>
<context>
    <name>CComponentInstallThread</name>
    <message>
        <source>Checking...</source>
        <translation>Checking...</translation>
    </message>
    <message>
        <source>Downloading...</source>
        <translation>Downloading...</translation>
    </message>
    <message>
        <source>Decompressing...</source>
        <translation>Decompressing...</translation>
    </message>
    <message>
        <source>Installing...</source>
        <translation>Installing...</translation>
    </message>
</context>
<context>
    <name>CComponentProgressDialog</name>
    <message>
        <source>Component Install</source>
        <translation>Component Install</translation>
    </message>
    <message>
        <source>Retry</source>
        <translation>Retry</translation>
    </message>
    <message>
        <source>or</source>
        <translation>or</translation>
    </message>
    <message>
        <source>contact our support team</source>
        <translation>contact our support team</translation>
    </message>
    <message>
        <source>Finishing the install, please wait...</source>
        <translation>Finishing the install, please wait...</translation>
    </message>
    <message>
        <source>Failed</source>
        <translation>Failed</translation>
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
        <translation>Cancel</translation>
    </message>
    <message>
        <source>Yes</source>
        <translation>Yes</translation>
    </message>
    <message>
        <source>No</source>
        <translation>No</translation>
    </message>
    <message>
        <source>Retry</source>
        <translation>Retry</translation>
    </message>
    <message>
        <source>Apply</source>
        <translation>Apply</translation>
    </message>
    <message>
        <source>Ignore</source>
        <translation>Ignore</translation>
    </message>
    <message>
        <source>Save</source>
        <translation>Save</translation>
    </message>
    <message>
        <source>Don&apos;t Save</source>
        <translation>Don&apos;t Save</translation>
    </message>
</context>
<context>
    <name>CVersion</name>
    <message>
        <source>%1.%2.%3 (Build %4)</source>
        <translation>%1.%2.%3 (Build %4)</translation>
    </message>
</context>
<context>
    <name>CWindowsFrame</name>
    <message>
        <source>Settings</source>
        <translation>Settings</translation>
    </message>
    <message>
        <source>Help center</source>
        <translation>Help center</translation>
    </message>
    <message>
        <source>feedback</source>
        <translation>feedback</translation>
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
        <translation>Tavik Mendra - Standard Mode</translation>
    </message>
    <message>
        <source>Tavik Mendra - Advanced Mode</source>
        <translation>Tavik Mendra - Advanced Mode</translation>
    </message>
    <message>
        <source>Select firmware</source>
        <translation>Select firmware</translation>
    </message>
    <message>
        <source>*.ipsw</source>
        <translation>*.ipsw</translation>
    </message>
    <message>
        <source>Yes</source>
        <translation>Yes</translation>
    </message>
    <message>
        <source>No</source>
        <translation>No</translation>
    </message>
    <message>
        <source>OK</source>
        <translation>OK</translation>
    </message>
    <message>
        <source>Supported Files</source>
        <translation>Supported Files</translation>
    </message>
</context>
<context>
    <name>Mendra</name>
    <message>
        <source>Start</source>
        <translation>Start</translation>
    </message>
    <message>
        <source>Download</source>
        <translation>Download</translation>
    </message>
    <message>
        <source>Download again</source>
        <translation>Download again</translation>
    </message>
    <message>
        <source>Fixing</source>
        <translation>Fixing</translation>
    </message>
    <message>
        <source>Try again</source>
        <translation>Try again</translation>
    </message>
    <message>
        <source>Done</source>
        <translation>Done</translation>
    </message>
    <message>
        <source>Fix Now</source>
        <translation>Fix Now</translation>
    </message>
    <message>
        <source>Enter Recovery Mode</source>
        <translation>Enter Recovery Mode</translation>
    </message>
    <message>
        <source>Quit Recovery Mode</source>
        <translation>Quit Recovery Mode</translation>
    </message>
    <message>
        <source>Quit DFU Mode</source>
        <translation>Quit DFU Mode</translation>
    </message>
    <message>
        <source>Downloading the Firmware package...</source>
        <translation>Downloading the Firmware package...</translation>
    </message>
    <message>
        <source>Download finished...</source>
        <translation>Download finished...</translation>
    </message>
    <message>
        <source>Downloading failed. Error code:</source>
        <translation>Downloading failed. Error code:</translation>
    </message>
    <message>
        <source>Verifying the Firmware package...</source>
        <translation>Verifying the Firmware package...</translation>
    </message>
    <message>
        <source>Verified finished...</source>
        <translation>Verified finished...</translation>
    </message>
    <message>
        <source>Verifying failed. Error code:</source>
        <translation>Verifying failed. Error code:</translation>
    </message>
    <message>
        <source>, description:</source>
        <translation>, description:</translation>
    </message>
    <message>
        <source>Please keep the Internet well connected.</source>
        <translation>Please keep the Internet well connected.</translation>
    </message>
    <message>
        <source>Please try other System versions or use the Advanced Mode.</source>
        <translation>Please try other System versions or use the Advanced Mode.</translation>
    </message>
    <message>
        <source>Yes</source>
        <translation>Yes</translation>
    </message>
    <message>
        <source>No</source>
        <translation>No</translation>
    </message>
    <message>
        <source>Ok</source>
        <translation>Ok</translation>
    </message>
    <message>
        <source>Please re-connect the device to scan and fix.</source>
        <translation>Please re-connect the device to scan and fix.</translation>
    </message>
    <message>
        <source>Are you sure you want to stop downloading the firmware package?</source>
        <translation>Are you sure you want to stop downloading the firmware package?</translation>
    </message>
    <message>
        <source>Are you sure you want to stop verifying the firmware package?</source>
        <translation>Are you sure you want to stop verifying the firmware package?</translation>
    </message>
    <message>
        <source>Firmware package will be re-verfied after going back.
Go back?</source>
        <translation>Firmware package will be re-verfied after going back.
Go back?</translation>
    </message>
    <message>
        <source>Are you sure to stop fixing?</source>
        <translation>Are you sure to stop fixing?</translation>
    </message>
    <message>
        <source>The device is being repaired, please do not close the program.</source>
        <translation>The device is being repaired, please do not close the program.</translation>
    </message>
    <message>
        <source>Failed to enter Recovery Mode? Click here to enter DFU Mode.</source>
        <translation>Failed to enter Recovery Mode? Click here to enter DFU Mode.</translation>
    </message>
    <message>
        <source>Failed to enter DFU Mode? Click here to enter Recovery Mode.</source>
        <translation>Failed to enter DFU Mode? Click here to enter Recovery Mode.</translation>
    </message>
    <message>
        <source>Secondary Verification</source>
        <translation>Secondary Verification</translation>
    </message>
    <message>
        <source>Unziping</source>
        <translation>Unziping</translation>
    </message>
    <message>
        <source>Repairing</source>
        <translation>Repairing</translation>
    </message>
    <message>
        <source>Repair complete</source>
        <translation>Repair complete</translation>
    </message>
    <message>
        <source>Contact us for more help.</source>
        <translation>Contact us for more help.</translation>
    </message>
    <message>
        <source>Reparing. It takes about 10min...</source>
        <translation>Reparing. It takes about 10min...</translation>
    </message>
    <message>
        <source>1. Keep your device connected, and do not use it during fixing.</source>
        <translation>1. Keep your device connected, and do not use it during fixing.</translation>
    </message>
    <message>
        <source>Repair Success.</source>
        <translation>Repair Success.</translation>
    </message>
    <message>
        <source>Please restart to check the device.
If the repair fails, please restart your device and PC before trying again.</source>
        <translation>Please restart to check the device.
If the repair fails, please restart your device and PC before trying again.</translation>
    </message>
    <message>
        <source>Repair failed.</source>
        <translation>Repair failed.</translation>
    </message>
    <message>
        <source>Check whether the device restarts. If the restart fails, please restart computer and device before you use Advanced Mode to try again.</source>
        <translation>Check whether the device restarts. If the restart fails, please restart computer and device before you use Advanced Mode to try again.</translation>
    </message>
    <message>
        <source>Device is connected but not recognized</source>
        <translation>Device is connected but not recognized</translation>
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
        <translation>Stuck on white Apple logo 
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
iPhone no service</translation>
    </message>
    <message>
        <source>Please choose Standard Mode or Advanced Mode first.</source>
        <translation>Please choose Standard Mode or Advanced Mode first.</translation>
    </message>
    <message>
        <source>The device to be fixed is not connected. Please connect it and try again.</source>
        <translation>The device to be fixed is not connected. Please connect it and try again.</translation>
    </message>
    <message>
        <source>The repair could not be started. Please restart the program and try again.</source>
        <translation>The repair could not be started. Please restart the program and try again.</translation>
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
        <translation>Who`s</translation>
    </message>
    <message>
        <source>Enter Recovery Mode</source>
        <translation>Enter Recovery Mode</translation>
    </message>
    <message>
        <source>Device is not connected</source>
        <translation>Device is not connected</translation>
    </message>
    <message>
        <source>Mendra</source>
        <translation>Mendra</translation>
    </message>
    <message>
        <source>Fix 50+ iOS issues like various stuck problems, black screen, etc.</source>
        <translation>Fix 50+ iOS issues like various stuck problems, black screen, etc.</translation>
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
        <translation>Works on: </translation>
    </message>
    <message>
        <source>Notes:</source>
        <translation>Notes:</translation>
    </message>
    <message>
        <source>1. Won`t fix harware issues.</source>
        <translation>1. Won`t fix harware issues.</translation>
    </message>
    <message>
        <source>2. Connect only a device for safe fix.</source>
        <translation>2. Connect only a device for safe fix.</translation>
    </message>
    <message>
        <source>1. Fix over 20 problems such as black screen of death, stuck on Apple logo, stuck in recovery mode, etc.</source>
        <translation>1. Fix over 20 problems such as black screen of death, stuck on Apple logo, stuck in recovery mode, etc.</translation>
    </message>
    <message>
        <source>2. Repairing iOS system won’t cause any data loss.</source>
        <translation>2. Repairing iOS system won’t cause any data loss.</translation>
    </message>
    <message>
        <source>Standard Mode</source>
        <translation>Standard Mode</translation>
    </message>
    <message>
        <source>1. Try this mode if iOS issues can&apos;t be fixed under Standard Mode.</source>
        <translation>1. Try this mode if iOS issues can&apos;t be fixed under Standard Mode.</translation>
    </message>
    <message>
        <source>2. Repairing iOS system would erase your data.</source>
        <translation>2. Repairing iOS system would erase your data.</translation>
    </message>
    <message>
        <source>Advanced Mode</source>
        <translation>Advanced Mode</translation>
    </message>
    <message>
        <source>Please connect your iOS device to PC</source>
        <translation>Please connect your iOS device to PC</translation>
    </message>
    <message>
        <source>1. Make sure you&apos;ve unlocked the device.</source>
        <translation>1. Make sure you&apos;ve unlocked the device.</translation>
    </message>
    <message>
        <source>2. Please check the USB connection.</source>
        <translation>2. Please check the USB connection.</translation>
    </message>
    <message>
        <source>The firmware is already to complete.</source>
        <translation>The firmware is already to complete.</translation>
    </message>
    <message>
        <source>Firmware version:</source>
        <translation>Firmware version:</translation>
    </message>
    <message>
        <source>1. Won&apos;t fix hardware issues.</source>
        <translation>1. Won&apos;t fix hardware issues.</translation>
    </message>
    <message>
        <source>2. Device requires to be re-activated after fixing.</source>
        <translation>2. Device requires to be re-activated after fixing.</translation>
    </message>
    <message>
        <source>Repairing. It takes about 10min...</source>
        <translation>Repairing. It takes about 10min...</translation>
    </message>
    <message>
        <source>Please restart to check the device.
If the repair fails, please restart your device and PC before trying again.</source>
        <translation>Please restart to check the device.
If the repair fails, please restart your device and PC before trying again.</translation>
    </message>
    <message>
        <source>Note:</source>
        <translation>Note:</translation>
    </message>
    <message>
        <source>1. Keep your device connected,and do not use it during fixing.</source>
        <translation>1. Keep your device connected,and do not use it during fixing.</translation>
    </message>
    <message>
        <source>Please confirm the device.</source>
        <translation>Please confirm the device.</translation>
    </message>
    <message>
        <source>And select a system version before clicking  &quot;Download&quot; button.</source>
        <translation>And select a system version before clicking  &quot;Download&quot; button.</translation>
    </message>
    <message>
        <source>Model:</source>
        <translation>Model:</translation>
    </message>
    <message>
        <source>System version:</source>
        <translation>System version:</translation>
    </message>
    <message>
        <source>Unable to download firmware? Click</source>
        <translation>Unable to download firmware? Click</translation>
    </message>
    <message>
        <source>Browse</source>
        <translation>Browse</translation>
    </message>
    <message>
        <source>to get it through the browser.</source>
        <translation>to get it through the browser.</translation>
    </message>
    <message>
        <source>Firmware package has been downloaded. Please select the firmware package to start repair.</source>
        <translation>Firmware package has been downloaded. Please select the firmware package to start repair.</translation>
    </message>
    <message>
        <source>Select</source>
        <translation>Select</translation>
    </message>
    <message>
        <source>Please follow the setps below to put your device into Recovery Mode.</source>
        <translation>Please follow the setps below to put your device into Recovery Mode.</translation>
    </message>
    <message>
        <source>Other iDevices</source>
        <translation>Other iDevices</translation>
    </message>
    <message>
        <source>iPhone 7/7 Plus</source>
        <translation>iPhone 7/7 Plus</translation>
    </message>
    <message>
        <source>iPhone 8 or later</source>
        <translation>iPhone 8 or later</translation>
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
        <translation>Turn off your device and connect it to your computer.</translation>
    </message>
    <message>
        <source>Press and hold the Home button and the Power button at the same time.</source>
        <translation>Press and hold the Home button and the Power button at the same time.</translation>
    </message>
    <message>
        <source>Keep holding them until you see the recovery-mode screen.</source>
        <translation>Keep holding them until you see the recovery-mode screen.</translation>
    </message>
    <message>
        <source>Press and hold the Power button and the Volume Down button at the same time.</source>
        <translation>Press and hold the Power button and the Volume Down button at the same time.</translation>
    </message>
    <message>
        <source>Press and quickly release the Volume Up button. Press and quickly release the Volume Down button. Then press and hold the Power button.</source>
        <translation>Press and quickly release the Volume Up button. Press and quickly release the Volume Down button. Then press and hold the Power button.</translation>
    </message>
    <message>
        <source>Keep holding Power button until you see the recovery-mode screen.</source>
        <translation>Keep holding Power button until you see the recovery-mode screen.</translation>
    </message>
    <message>
        <source>Connect your Apple TV to the computer with a Micro-USB cable. Plug in the power cord for the 3rd generation and leave 2nd generation unplugged.</source>
        <translation>Connect your Apple TV to the computer with a Micro-USB cable. Plug in the power cord for the 3rd generation and leave 2nd generation unplugged.</translation>
    </message>
    <message>
        <source>Press and hold Menu and Down buttons on the Remote. Release them until you see the indicator light on the box start flashing repidly.</source>
        <translation>Press and hold Menu and Down buttons on the Remote. Release them until you see the indicator light on the box start flashing repidly.</translation>
    </message>
    <message>
        <source>Keep holding Menu and Play/Pause buttons for 6s and then release them.</source>
        <translation>Keep holding Menu and Play/Pause buttons for 6s and then release them.</translation>
    </message>
    <message>
        <source>Connect your Apple TV to the computer with a USB-C cable. Plug in the power cord.</source>
        <translation>Connect your Apple TV to the computer with a USB-C cable. Plug in the power cord.</translation>
    </message>
    <message>
        <source>Press and hold Menu and Home buttons on the Remote. Release them until you see the indicator light on the box start flashing rapidly.</source>
        <translation>Press and hold Menu and Home buttons on the Remote. Release them until you see the indicator light on the box start flashing rapidly.</translation>
    </message>
    <message>
        <source>Please follow the setps below to put your device into DFU Mode.</source>
        <translation>Please follow the setps below to put your device into DFU Mode.</translation>
    </message>
    <message>
        <source>Press and hold the Home button and the Power button for 10 seconds.</source>
        <translation>Press and hold the Home button and the Power button for 10 seconds.</translation>
    </message>
    <message>
        <source>Release the Power button, but still keep holding the Home button for about 5 seconds.</source>
        <translation>Release the Power button, but still keep holding the Home button for about 5 seconds.</translation>
    </message>
    <message>
        <source>Press and hold the Power button and the Volume Down button for 8 seconds.</source>
        <translation>Press and hold the Power button and the Volume Down button for 8 seconds.</translation>
    </message>
    <message>
        <source>Release the Power button,but still keep holding the Volume Down button for about 5 seconds.</source>
        <translation>Release the Power button,but still keep holding the Volume Down button for about 5 seconds.</translation>
    </message>
    <message>
        <source>Please connect device to computer. Quick press Volume Up button and release. Quick press Volume Down button and release. Press and hold Power button for 10s.</source>
        <translation>Please connect device to computer. Quick press Volume Up button and release. Quick press Volume Down button and release. Press and hold Power button for 10s.</translation>
    </message>
    <message>
        <source>While holding Power button, press and hold Volume Down button for 5s.</source>
        <translation>While holding Power button, press and hold Volume Down button for 5s.</translation>
    </message>
    <message>
        <source>Release Power button but keep holding Volume Down button for another 10s.</source>
        <translation>Release Power button but keep holding Volume Down button for another 10s.</translation>
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
        <translation>iPhone SE (2nd generation)</translation>
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
        <translation>iPad Pro (4th, 11&quot;/12.9&quot;)</translation>
    </message>
    <message>
        <source>iPad Pro (3rd, 11&quot;/12.9&quot;)</source>
        <translation>iPad Pro (3rd, 11&quot;/12.9&quot;)</translation>
    </message>
    <message>
        <source>iPad Pro (2nd, 10.5&apos;&apos;/12.9&apos;&apos;)</source>
        <translation>iPad Pro (2nd, 10.5&apos;&apos;/12.9&apos;&apos;)</translation>
    </message>
    <message>
        <source>iPad Pro (1st, 12.9&apos;&apos;)</source>
        <translation>iPad Pro (1st, 12.9&apos;&apos;)</translation>
    </message>
    <message>
        <source>iPad Pro (1st, 9.7&apos;&apos;)</source>
        <translation>iPad Pro (1st, 9.7&apos;&apos;)</translation>
    </message>
    <message>
        <source>iPad Mini (5th generation)</source>
        <translation>iPad Mini (5th generation)</translation>
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
        <translation>iPad Air (4th generation)</translation>
    </message>
    <message>
        <source>iPad Air (3rd generation)</source>
        <translation>iPad Air (3rd generation)</translation>
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
        <translation>iPad (8th generation)</translation>
    </message>
    <message>
        <source>iPad (7th generation)</source>
        <translation>iPad (7th generation)</translation>
    </message>
    <message>
        <source>iPad (6th generation)</source>
        <translation>iPad (6th generation)</translation>
    </message>
    <message>
        <source>iPad (5th generation)</source>
        <translation>iPad (5th generation)</translation>
    </message>
    <message>
        <source>iPad (4th generation)</source>
        <translation>iPad (4th generation)</translation>
    </message>
    <message>
        <source>iPad 2</source>
        <translation>iPad 2</translation>
    </message>
    <message>
        <source>iPad (1st generation)</source>
        <translation>iPad (1st generation)</translation>
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
        <translation>Apple TV 3rd Generation</translation>
    </message>
    <message>
        <source>Apple TV 2nd Generation</source>
        <translation>Apple TV 2nd Generation</translation>
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
        <translation>Component Installed.
 Please restart program and then re-connect device. </translation>
    </message>
    <message>
        <source>Ok</source>
        <translation>Ok</translation>
    </message>
    <message>
        <source>Initiating failed!</source>
        <translation>Initiating failed!</translation>
    </message>
    <message>
        <source>Skin initialization failed!</source>
        <translation>Skin initialization failed!</translation>
    </message>
    <message>
        <source>Partial skin files initialing failed!</source>
        <translation>Partial skin files initialing failed!</translation>
    </message>
</context>
<context>
    <name>MyBugReportView</name>
    <message>
        <source>Invalid email address.</source>
        <translation>Invalid email address.</translation>
    </message>
    <message>
        <source>Invalid characters in the name.</source>
        <translation>Invalid characters in the name.</translation>
    </message>
    <message>
        <source>The attachment is larger than %1 MB.</source>
        <translation>The attachment is larger than %1 MB.</translation>
    </message>
    <message>
        <source>The file %1 cannot be attached.</source>
        <translation>The file %1 cannot be attached.</translation>
    </message>
    <message>
        <source>Email</source>
        <translation>Email</translation>
    </message>
    <message>
        <source>Name</source>
        <translation>Name</translation>
    </message>
    <message>
        <source>If you have encountered some problems or received an error,please send us your details or screenshots.</source>
        <translation>If you have encountered some problems or received an error,please send us your details or screenshots.</translation>
    </message>
    <message>
        <source>Bug reports are not set up on this installation.</source>
        <translation>Bug reports are not set up on this installation.</translation>
    </message>
    <message>
        <source>Attachment: %1</source>
        <translation>Attachment: %1</translation>
    </message>
    <message>
        <source>Add Attachment</source>
        <translation>Add Attachment</translation>
    </message>
</context>
<context>
    <name>MyFrame</name>
    <message>
        <source>Menu</source>
        <translation>Menu</translation>
    </message>
    <message>
        <source>Language</source>
        <translation>Language</translation>
    </message>
    <message>
        <source>Setting</source>
        <translation>Setting</translation>
    </message>
    <message>
        <source>User Guide</source>
        <translation>User Guide</translation>
    </message>
    <message>
        <source>Bug Report</source>
        <translation>Bug Report</translation>
    </message>
    <message>
        <source>About</source>
        <translation>About</translation>
    </message>
    <message>
        <source>Check for update</source>
        <translation>Check for update</translation>
    </message>
</context>
<context>
    <name>MyModel</name>
    <message>
        <source>Ok</source>
        <translation>Ok</translation>
    </message>
    <message>
        <source>Bug Report sent successful!</source>
        <translation>Bug Report sent successful!</translation>
    </message>
    <message>
        <source>Bug Report sent failed!</source>
        <translation>Bug Report sent failed!</translation>
    </message>
</context>
<context>
    <name>MySettingView</name>
    <message>
        <source>Open Directory</source>
        <translation>Open Directory</translation>
    </message>
    <message>
        <source>There is not enough disk space. Please clean up the destination disk or select another folder.</source>
        <translation>There is not enough disk space. Please clean up the destination disk or select another folder.</translation>
    </message>
    <message>
        <source>This folder cannot be written to. Please select another folder.</source>
        <translation>This folder cannot be written to. Please select another folder.</translation>
    </message>
</context>
<context>
    <name>MyUpdateView</name>
    <message>
        <source>Current version:</source>
        <translation>Current version:</translation>
    </message>
    <message>
        <source>Update available:</source>
        <translation>Update available:</translation>
    </message>
</context>
<context>
    <name>QObject</name>
    <message>
        <source>Database has been upgraded. Please restart program.</source>
        <translation>Database has been upgraded. Please restart program.</translation>
    </message>
    <message>
        <source>Device not connected. Please re-connect device.</source>
        <translation>Device not connected. Please re-connect device.</translation>
    </message>
    <message>
        <source>The repair ended without a result. Please try again.</source>
        <translation>The repair ended without a result. Please try again.</translation>
    </message>
    <message>
        <source>Failed to enter recovery mode. Please try again.</source>
        <translation>Failed to enter recovery mode. Please try again.</translation>
    </message>
    <message>
        <source>Failed to quit recovery mode. Please try again.</source>
        <translation>Failed to quit recovery mode. Please try again.</translation>
    </message>
    <message>
        <source>Device detected. Please select mode to fix it.</source>
        <translation>Device detected. Please select mode to fix it.</translation>
    </message>
    <message>
        <source>Downloading/Verifying Firmware package...
Are you sure to exit?</source>
        <translation>Downloading/Verifying Firmware package...
Are you sure to exit?</translation>
    </message>
    <message>
        <source>Fixing the device now.
Quiting might result in unknown device errors. Please don&apos;t shut down the program before the fixing completes. </source>
        <translation>Fixing the device now.
Quiting might result in unknown device errors. Please don&apos;t shut down the program before the fixing completes. </translation>
    </message>
    <message>
        <source>Time out in requesting background data. (-100)</source>
        <translation>Time out in requesting background data. (-100)</translation>
    </message>
    <message>
        <source>Internal data error.</source>
        <translation>Internal data error.</translation>
    </message>
    <message>
        <source>Program can&apos;t connect to the Internet. You could modify the Proxy settings in &quot;Settings - Connection&quot;.</source>
        <translation>Program can&apos;t connect to the Internet. You could modify the Proxy settings in &quot;Settings - Connection&quot;.</translation>
    </message>
    <message>
        <source>Update:failed to find product record.</source>
        <translation>Update:failed to find product record.</translation>
    </message>
    <message>
        <source>Updateable</source>
        <translation>Updateable</translation>
    </message>
    <message>
        <source>Update:you are using the newest version.</source>
        <translation>Update:you are using the newest version.</translation>
    </message>
    <message>
        <source>Update:xml data error.</source>
        <translation>Update:xml data error.</translation>
    </message>
    <message>
        <source>Other errors. Please contact our Customer Service Center.</source>
        <translation>Other errors. Please contact our Customer Service Center.</translation>
    </message>
    <message>
        <source>Sending a bug report. Please try another later.</source>
        <translation>Sending a bug report. Please try another later.</translation>
    </message>
    <message>
        <source>Please describe the problem clearly before submitting.</source>
        <translation>Please describe the problem clearly before submitting.</translation>
    </message>
    <message>
        <source>Unknown error, try again please.</source>
        <translation>Unknown error, try again please.</translation>
    </message>
    <message>
        <source>Bug sending failed, please try again.</source>
        <translation>Bug sending failed, please try again.</translation>
    </message>
</context>
<context>
    <name>SettingView</name>
    <message>
        <source>Setting</source>
        <translation>Setting</translation>
    </message>
    <message>
        <source>Repair file download:</source>
        <translation>Repair file download:</translation>
    </message>
    <message>
        <source>···</source>
        <translation>···</translation>
    </message>
    <message>
        <source>Open</source>
        <translation>Open</translation>
    </message>
    <message>
        <source>Automatically delete the file after completion</source>
        <translation>Automatically delete the file after completion</translation>
    </message>
</context>
<context>
    <name>TitleBar</name>
    <message>
        <source>Settings</source>
        <translation>Settings</translation>
    </message>
    <message>
        <source>Help center</source>
        <translation>Help center</translation>
    </message>
    <message>
        <source>feedback</source>
        <translation>feedback</translation>
    </message>
</context>
<context>
    <name>UpdateView</name>
    <message>
        <source>Software Update</source>
        <translation>Software Update</translation>
    </message>
    <message>
        <source>Check for update failed. Please try again later.</source>
        <translation>Check for update failed. Please try again later.</translation>
    </message>
    <message>
        <source>Retry</source>
        <translation>Retry</translation>
    </message>
    <message>
        <source>Update</source>
        <translation>Update</translation>
    </message>
    <message>
        <source>Skip</source>
        <translation>Skip</translation>
    </message>
    <message>
        <source>You are using the latest version.</source>
        <translation>You are using the latest version.</translation>
    </message>
    <message>
        <source>OK</source>
        <translation>OK</translation>
    </message>
</context>
</TS>
