<?xml version="1.0" encoding="utf-8"?>
<!DOCTYPE TS>
<TS version="2.1" language="fr" sourcelanguage="en">
<context>
    <name>AboutView</name>
    <message>
        <source>About</source>
        <translation>À propos</translation>
    </message>
    <message>
        <source>Tavik Mendra</source>
        <translation>Tavik Mendra</translation>
    </message>
    <message>
        <source>Current version:</source>
        <translation>Version actuelle :</translation>
    </message>
    <message>
        <source>Customer support</source>
        <translation>Assistance client</translation>
    </message>
    <message>
        <source>&lt;html&gt;&lt;head/&gt;&lt;body&gt;&lt;p&gt;&lt;br/&gt;&lt;/p&gt;&lt;/body&gt;&lt;/html&gt;</source>
        <translation>&lt;html&gt;&lt;head/&gt;&lt;body&gt;&lt;p&gt;&lt;br/&gt;&lt;/p&gt;&lt;/body&gt;&lt;/html&gt;</translation>
    </message>
    <message>
        <source>Official website</source>
        <translation>Site officiel</translation>
    </message>
    <message>
        <source>Copyright © 2016-2026 Tavik Software. All rights reserved.</source>
        <translation>Copyright © 2016-2026 Tavik Software. Tous droits réservés.</translation>
    </message>
</context>
<context>
    <name>BugReportView</name>
    <message>
        <source>Bug Report</source>
        <translation>Signaler un problème</translation>
    </message>
    <message>
        <source>Please send us the questions you encountered during the use of this software. We will answer you as soon as we receive it.</source>
        <translation>Envoyez-nous les problèmes rencontrés avec ce logiciel. Nous vous répondrons dès réception de votre message.</translation>
    </message>
    <message>
        <source>Attach File</source>
        <translation>Joindre un fichier</translation>
    </message>
    <message>
        <source>Submit</source>
        <translation>Envoyer</translation>
    </message>
</context>
<context>
    <name>CComponentInstallThread</name>
    <message>
        <source>Checking...</source>
        <translation>Vérification...</translation>
    </message>
    <message>
        <source>Downloading...</source>
        <translation>Téléchargement...</translation>
    </message>
    <message>
        <source>Decompressing...</source>
        <translation>Décompression...</translation>
    </message>
    <message>
        <source>Installing...</source>
        <translation>Installation...</translation>
    </message>
</context>
<context>
    <name>CComponentProgressDialog</name>
    <message>
        <source>Component Install</source>
        <translation>Installation du composant</translation>
    </message>
    <message>
        <source>Retry</source>
        <translation>Réessayer</translation>
    </message>
    <message>
        <source>or</source>
        <translation>ou</translation>
    </message>
    <message>
        <source>contact our support team</source>
        <translation>contacter notre équipe d’assistance</translation>
    </message>
    <message>
        <source>Finishing the install, please wait...</source>
        <translation>Finalisation de l&apos;installation, veuillez patienter...</translation>
    </message>
    <message>
        <source>Failed</source>
        <translation>Échec</translation>
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
        <translation>Annuler</translation>
    </message>
    <message>
        <source>Yes</source>
        <translation>Oui</translation>
    </message>
    <message>
        <source>No</source>
        <translation>Non</translation>
    </message>
    <message>
        <source>Retry</source>
        <translation>Réessayer</translation>
    </message>
    <message>
        <source>Apply</source>
        <translation>Appliquer</translation>
    </message>
    <message>
        <source>Ignore</source>
        <translation>Ignorer</translation>
    </message>
    <message>
        <source>Save</source>
        <translation>Enregistrer</translation>
    </message>
    <message>
        <source>Don&apos;t Save</source>
        <translation>Ne pas enregistrer</translation>
    </message>
</context>
<context>
    <name>CVersion</name>
    <message>
        <source>%1.%2.%3 (Build %4)</source>
        <translation>%1.%2.%3 (build %4)</translation>
    </message>
</context>
<context>
    <name>CWindowsFrame</name>
    <message>
        <source>Settings</source>
        <translation>Paramètres</translation>
    </message>
    <message>
        <source>Help center</source>
        <translation>Centre d’aide</translation>
    </message>
    <message>
        <source>feedback</source>
        <translation>Commentaires</translation>
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
        <translation>Tavik Mendra - Mode standard</translation>
    </message>
    <message>
        <source>Tavik Mendra - Advanced Mode</source>
        <translation>Tavik Mendra - Mode avancé</translation>
    </message>
    <message>
        <source>Select firmware</source>
        <translation>Sélectionner un firmware</translation>
    </message>
    <message>
        <source>*.ipsw</source>
        <translation>*.ipsw</translation>
    </message>
    <message>
        <source>Yes</source>
        <translation>Oui</translation>
    </message>
    <message>
        <source>No</source>
        <translation>Non</translation>
    </message>
    <message>
        <source>OK</source>
        <translation>OK</translation>
    </message>
    <message>
        <source>Supported Files</source>
        <translation>Fichiers pris en charge</translation>
    </message>
</context>
<context>
    <name>Mendra</name>
    <message>
        <source>Start</source>
        <translation>Démarrer</translation>
    </message>
    <message>
        <source>Download</source>
        <translation>Télécharger</translation>
    </message>
    <message>
        <source>Download again</source>
        <translation>Retélécharger</translation>
    </message>
    <message>
        <source>Fixing</source>
        <translation>Réparation...</translation>
    </message>
    <message>
        <source>Try again</source>
        <translation>Réessayer</translation>
    </message>
    <message>
        <source>Done</source>
        <translation>Terminé</translation>
    </message>
    <message>
        <source>Fix Now</source>
        <translation>Réparer</translation>
    </message>
    <message>
        <source>Enter Recovery Mode</source>
        <translation>Passer en récupération</translation>
    </message>
    <message>
        <source>Quit Recovery Mode</source>
        <translation>Quitter la récupération</translation>
    </message>
    <message>
        <source>Quit DFU Mode</source>
        <translation>Quitter le mode DFU</translation>
    </message>
    <message>
        <source>Downloading the Firmware package...</source>
        <translation>Téléchargement du paquet du firmware...</translation>
    </message>
    <message>
        <source>Download finished...</source>
        <translation>Téléchargement terminé...</translation>
    </message>
    <message>
        <source>Downloading failed. Error code:</source>
        <translation>Échec du téléchargement. Code d’erreur :</translation>
    </message>
    <message>
        <source>Verifying the Firmware package...</source>
        <translation>Vérification du paquet du firmware...</translation>
    </message>
    <message>
        <source>Verified finished...</source>
        <translation>Vérification terminée...</translation>
    </message>
    <message>
        <source>Verifying failed. Error code:</source>
        <translation>Échec de la vérification. Code d’erreur :</translation>
    </message>
    <message>
        <source>, description:</source>
        <translation>, description :</translation>
    </message>
    <message>
        <source>Please keep the Internet well connected.</source>
        <translation>Veuillez garder une connexion Internet stable.</translation>
    </message>
    <message>
        <source>Please try other System versions or use the Advanced Mode.</source>
        <translation>Essayez une autre version du système ou utilisez le mode avancé.</translation>
    </message>
    <message>
        <source>Yes</source>
        <translation>Oui</translation>
    </message>
    <message>
        <source>No</source>
        <translation>Non</translation>
    </message>
    <message>
        <source>Ok</source>
        <translation>OK</translation>
    </message>
    <message>
        <source>Please re-connect the device to scan and fix.</source>
        <translation>Veuillez reconnecter l’appareil pour l’analyser et le réparer.</translation>
    </message>
    <message>
        <source>Are you sure you want to stop downloading the firmware package?</source>
        <translation>Voulez-vous vraiment arrêter le téléchargement du paquet du firmware ?</translation>
    </message>
    <message>
        <source>Are you sure you want to stop verifying the firmware package?</source>
        <translation>Voulez-vous vraiment arrêter la vérification du paquet du firmware ?</translation>
    </message>
    <message>
        <source>Firmware package will be re-verfied after going back.
Go back?</source>
        <translation>Le paquet du firmware sera de nouveau vérifié après le retour.
Revenir en arrière ?</translation>
    </message>
    <message>
        <source>Are you sure to stop fixing?</source>
        <translation>Voulez-vous vraiment arrêter la réparation ?</translation>
    </message>
    <message>
        <source>The device is being repaired, please do not close the program.</source>
        <translation>L’appareil est en cours de réparation, veuillez ne pas fermer le programme.</translation>
    </message>
    <message>
        <source>Failed to enter Recovery Mode? Click here to enter DFU Mode.</source>
        <translation>Impossible d’entrer en mode de récupération ? Cliquez ici pour entrer en mode DFU.</translation>
    </message>
    <message>
        <source>Failed to enter DFU Mode? Click here to enter Recovery Mode.</source>
        <translation>Impossible d’entrer en mode DFU ? Cliquez ici pour entrer en mode de récupération.</translation>
    </message>
    <message>
        <source>Secondary Verification</source>
        <translation>Seconde vérification</translation>
    </message>
    <message>
        <source>Unziping</source>
        <translation>Décompression</translation>
    </message>
    <message>
        <source>Repairing</source>
        <translation>Réparation</translation>
    </message>
    <message>
        <source>Repair complete</source>
        <translation>Réparation terminée</translation>
    </message>
    <message>
        <source>Contact us for more help.</source>
        <translation>Contactez-nous pour obtenir de l’aide.</translation>
    </message>
    <message>
        <source>Reparing. It takes about 10min...</source>
        <translation>Réparation en cours. Cela prend environ 10 min...</translation>
    </message>
    <message>
        <source>1. Keep your device connected, and do not use it during fixing.</source>
        <translation>1. Gardez l’appareil connecté et ne l’utilisez pas pendant la réparation.</translation>
    </message>
    <message>
        <source>Repair Success.</source>
        <translation>Réparation réussie.</translation>
    </message>
    <message>
        <source>Please restart to check the device.
If the repair fails, please restart your device and PC before trying again.</source>
        <translation>Veuillez redémarrer l’appareil pour le vérifier.
Si la réparation a échoué, redémarrez l’appareil et l’ordinateur avant de réessayer.</translation>
    </message>
    <message>
        <source>Repair failed.</source>
        <translation>Échec de la réparation.</translation>
    </message>
    <message>
        <source>Check whether the device restarts. If the restart fails, please restart computer and device before you use Advanced Mode to try again.</source>
        <translation>Vérifiez si l’appareil redémarre. S’il ne redémarre pas, redémarrez l’ordinateur et l’appareil, puis réessayez avec le mode avancé.</translation>
    </message>
    <message>
        <source>Device is connected but not recognized</source>
        <translation>Appareil connecté mais non reconnu</translation>
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
        <translation>Bloqué sur le logo Apple blanc 
Bloqué sur un écran noir 
Bloqué dans une boucle de démarrage 
Bloqué sur l’écran « Se connecter à iTunes » 
Bloqué sur l’écran « Glisser pour mettre à jour » 
Bloqué en mode de récupération 
Bloqué en mode DFU 
Bloqué en mode casque 
Bloqué pendant la récupération des données 
iPhone figé 
iPhone désactivé 
iPhone inutilisable 
iPad inutilisable 
iPhone en boucle de démarrage 
iPhone qui plante 
Écran bleu sur l’iPhone 
iPhone qui redémarre sans cesse 
Erreur d’activation de l’iPhone 
L’iPhone ne s’allume pas 
L’iPad ne s’allume pas 
Écran rouge sur l’iPhone 
L’iPhone ne s’éteint pas 
L’iPhone s’éteint sans cesse 
L’iPhone ne se met pas à jour 
Échec de la mise à jour de l’iPhone 
iPhone bloqué sur l’écran de chargement 
« iPhone désactivé, se connecter à iTunes » 
Erreur « L’iPhone n’a pas pu être restauré » 
Impossible de restaurer l’iPhone 
L’iPhone ne se recharge pas 
iPhone sans service</translation>
    </message>
    <message>
        <source>Please choose Standard Mode or Advanced Mode first.</source>
        <translation>Veuillez d’abord choisir le mode standard ou le mode avancé.</translation>
    </message>
    <message>
        <source>The device to be fixed is not connected. Please connect it and try again.</source>
        <translation>L’appareil à réparer n’est pas connecté. Veuillez le connecter et réessayer.</translation>
    </message>
    <message>
        <source>The repair could not be started. Please restart the program and try again.</source>
        <translation>La réparation n’a pas pu démarrer. Veuillez redémarrer le programme et réessayer.</translation>
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
        <translation>Propriétaire</translation>
    </message>
    <message>
        <source>Enter Recovery Mode</source>
        <translation>Passer en récupération</translation>
    </message>
    <message>
        <source>Device is not connected</source>
        <translation>Appareil non connecté</translation>
    </message>
    <message>
        <source>Mendra</source>
        <translation>Mendra</translation>
    </message>
    <message>
        <source>Fix 50+ iOS issues like various stuck problems, black screen, etc.</source>
        <translation>Corrige plus de 50 problèmes iOS : blocages en tout genre, écran noir, etc.</translation>
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
        <translation>Compatible avec : </translation>
    </message>
    <message>
        <source>Notes:</source>
        <translation>Remarques :</translation>
    </message>
    <message>
        <source>1. Won`t fix harware issues.</source>
        <translation>1. Les problèmes matériels ne sont pas réparés.</translation>
    </message>
    <message>
        <source>2. Connect only a device for safe fix.</source>
        <translation>2. Pour une réparation sûre, ne connectez qu’un seul appareil.</translation>
    </message>
    <message>
        <source>1. Fix over 20 problems such as black screen of death, stuck on Apple logo, stuck in recovery mode, etc.</source>
        <translation>1. Corrige plus de 20 problèmes : écran noir, blocage sur le logo Apple, blocage en mode de récupération, etc.</translation>
    </message>
    <message>
        <source>2. Repairing iOS system won’t cause any data loss.</source>
        <translation>2. La réparation du système iOS n’entraîne aucune perte de données.</translation>
    </message>
    <message>
        <source>Standard Mode</source>
        <translation>Mode standard</translation>
    </message>
    <message>
        <source>1. Try this mode if iOS issues can&apos;t be fixed under Standard Mode.</source>
        <translation>1. Essayez ce mode si le mode standard n’a pas pu corriger les problèmes iOS.</translation>
    </message>
    <message>
        <source>2. Repairing iOS system would erase your data.</source>
        <translation>2. La réparation du système iOS effacera vos données.</translation>
    </message>
    <message>
        <source>Advanced Mode</source>
        <translation>Mode avancé</translation>
    </message>
    <message>
        <source>Please connect your iOS device to PC</source>
        <translation>Veuillez connecter votre appareil iOS à l’ordinateur</translation>
    </message>
    <message>
        <source>1. Make sure you&apos;ve unlocked the device.</source>
        <translation>1. Assurez-vous que l’appareil est déverrouillé.</translation>
    </message>
    <message>
        <source>2. Please check the USB connection.</source>
        <translation>2. Vérifiez la connexion USB.</translation>
    </message>
    <message>
        <source>The firmware is already to complete.</source>
        <translation>Le firmware est prêt.</translation>
    </message>
    <message>
        <source>Firmware version:</source>
        <translation>Version du firmware :</translation>
    </message>
    <message>
        <source>1. Won&apos;t fix hardware issues.</source>
        <translation>1. Les problèmes matériels ne sont pas réparés.</translation>
    </message>
    <message>
        <source>2. Device requires to be re-activated after fixing.</source>
        <translation>2. L’appareil devra être réactivé après la réparation.</translation>
    </message>
    <message>
        <source>Repairing. It takes about 10min...</source>
        <translation>Réparation en cours. Cela prend environ 10 min...</translation>
    </message>
    <message>
        <source>Please restart to check the device.
If the repair fails, please restart your device and PC before trying again.</source>
        <translation>Veuillez redémarrer l’appareil pour le vérifier.
Si la réparation a échoué, redémarrez l’appareil et l’ordinateur avant de réessayer.</translation>
    </message>
    <message>
        <source>Note:</source>
        <translation>Remarque :</translation>
    </message>
    <message>
        <source>1. Keep your device connected,and do not use it during fixing.</source>
        <translation>1. Gardez l’appareil connecté et ne l’utilisez pas pendant la réparation.</translation>
    </message>
    <message>
        <source>Please confirm the device.</source>
        <translation>Veuillez confirmer l’appareil.</translation>
    </message>
    <message>
        <source>And select a system version before clicking  &quot;Download&quot; button.</source>
        <translation>Puis sélectionnez une version du système avant de cliquer sur le bouton « Télécharger ».</translation>
    </message>
    <message>
        <source>Model:</source>
        <translation>Modèle :</translation>
    </message>
    <message>
        <source>System version:</source>
        <translation>Version du système :</translation>
    </message>
    <message>
        <source>Unable to download firmware? Click</source>
        <translation>Impossible de télécharger le firmware ? Cliquez sur</translation>
    </message>
    <message>
        <source>Browse</source>
        <translation>Ouvrir</translation>
    </message>
    <message>
        <source>to get it through the browser.</source>
        <translation>pour l’obtenir via le navigateur.</translation>
    </message>
    <message>
        <source>Firmware package has been downloaded. Please select the firmware package to start repair.</source>
        <translation>Le paquet du firmware a déjà été téléchargé ? Sélectionnez-le pour lancer la réparation.</translation>
    </message>
    <message>
        <source>Select</source>
        <translation>Sélectionner</translation>
    </message>
    <message>
        <source>Please follow the setps below to put your device into Recovery Mode.</source>
        <translation>Suivez les étapes ci-dessous pour mettre votre appareil en mode de récupération.</translation>
    </message>
    <message>
        <source>Other iDevices</source>
        <translation>Autres appareils iOS</translation>
    </message>
    <message>
        <source>iPhone 7/7 Plus</source>
        <translation>iPhone 7/7 Plus</translation>
    </message>
    <message>
        <source>iPhone 8 or later</source>
        <translation>iPhone 8 ou ultérieur</translation>
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
        <translation>Éteignez votre appareil et connectez-le à l’ordinateur.</translation>
    </message>
    <message>
        <source>Press and hold the Home button and the Power button at the same time.</source>
        <translation>Maintenez enfoncés simultanément le bouton principal et le bouton d’alimentation.</translation>
    </message>
    <message>
        <source>Keep holding them until you see the recovery-mode screen.</source>
        <translation>Maintenez-les enfoncés jusqu’à ce que l’écran du mode de récupération s’affiche.</translation>
    </message>
    <message>
        <source>Press and hold the Power button and the Volume Down button at the same time.</source>
        <translation>Maintenez enfoncés simultanément le bouton d’alimentation et le bouton de réduction du volume.</translation>
    </message>
    <message>
        <source>Press and quickly release the Volume Up button. Press and quickly release the Volume Down button. Then press and hold the Power button.</source>
        <translation>Appuyez brièvement sur le bouton d’augmentation du volume, puis sur le bouton de réduction du volume. Maintenez ensuite le bouton d’alimentation enfoncé.</translation>
    </message>
    <message>
        <source>Keep holding Power button until you see the recovery-mode screen.</source>
        <translation>Maintenez le bouton d’alimentation enfoncé jusqu’à ce que l’écran du mode de récupération s’affiche.</translation>
    </message>
    <message>
        <source>Connect your Apple TV to the computer with a Micro-USB cable. Plug in the power cord for the 3rd generation and leave 2nd generation unplugged.</source>
        <translation>Connectez votre Apple TV à l’ordinateur avec un câble Micro-USB. Branchez le cordon d’alimentation pour la 3e génération ; laissez la 2e génération débranchée.</translation>
    </message>
    <message>
        <source>Press and hold Menu and Down buttons on the Remote. Release them until you see the indicator light on the box start flashing repidly.</source>
        <translation>Maintenez enfoncés les boutons Menu et Bas de la télécommande. Relâchez-les lorsque le voyant du boîtier se met à clignoter rapidement.</translation>
    </message>
    <message>
        <source>Keep holding Menu and Play/Pause buttons for 6s and then release them.</source>
        <translation>Maintenez enfoncés les boutons Menu et Lecture/Pause pendant 6 s, puis relâchez-les.</translation>
    </message>
    <message>
        <source>Connect your Apple TV to the computer with a USB-C cable. Plug in the power cord.</source>
        <translation>Connectez votre Apple TV à l’ordinateur avec un câble USB-C. Branchez le cordon d’alimentation.</translation>
    </message>
    <message>
        <source>Press and hold Menu and Home buttons on the Remote. Release them until you see the indicator light on the box start flashing rapidly.</source>
        <translation>Maintenez enfoncés les boutons Menu et Accueil de la télécommande. Relâchez-les lorsque le voyant du boîtier se met à clignoter rapidement.</translation>
    </message>
    <message>
        <source>Please follow the setps below to put your device into DFU Mode.</source>
        <translation>Suivez les étapes ci-dessous pour mettre votre appareil en mode DFU.</translation>
    </message>
    <message>
        <source>Press and hold the Home button and the Power button for 10 seconds.</source>
        <translation>Maintenez enfoncés le bouton principal et le bouton d’alimentation pendant 10 secondes.</translation>
    </message>
    <message>
        <source>Release the Power button, but still keep holding the Home button for about 5 seconds.</source>
        <translation>Relâchez le bouton d’alimentation, mais maintenez le bouton principal enfoncé encore 5 secondes environ.</translation>
    </message>
    <message>
        <source>Press and hold the Power button and the Volume Down button for 8 seconds.</source>
        <translation>Maintenez enfoncés le bouton d’alimentation et le bouton de réduction du volume pendant 8 secondes.</translation>
    </message>
    <message>
        <source>Release the Power button,but still keep holding the Volume Down button for about 5 seconds.</source>
        <translation>Relâchez le bouton d’alimentation, mais maintenez le bouton de réduction du volume enfoncé encore 5 secondes environ.</translation>
    </message>
    <message>
        <source>Please connect device to computer. Quick press Volume Up button and release. Quick press Volume Down button and release. Press and hold Power button for 10s.</source>
        <translation>Connectez l’appareil à l’ordinateur. Appuyez brièvement sur le bouton d’augmentation du volume, puis sur le bouton de réduction du volume. Maintenez ensuite le bouton d’alimentation enfoncé pendant 10 s.</translation>
    </message>
    <message>
        <source>While holding Power button, press and hold Volume Down button for 5s.</source>
        <translation>Tout en maintenant le bouton d’alimentation, maintenez le bouton de réduction du volume enfoncé pendant 5 s.</translation>
    </message>
    <message>
        <source>Release Power button but keep holding Volume Down button for another 10s.</source>
        <translation>Relâchez le bouton d’alimentation, mais maintenez le bouton de réduction du volume enfoncé encore 10 s.</translation>
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
        <translation>iPhone SE (2e génération)</translation>
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
        <translation>iPad Pro (4e gén., 11&quot;/12,9&quot;)</translation>
    </message>
    <message>
        <source>iPad Pro (3rd, 11&quot;/12.9&quot;)</source>
        <translation>iPad Pro (3e gén., 11&quot;/12,9&quot;)</translation>
    </message>
    <message>
        <source>iPad Pro (2nd, 10.5&apos;&apos;/12.9&apos;&apos;)</source>
        <translation>iPad Pro (2e gén., 10,5&apos;&apos;/12,9&apos;&apos;)</translation>
    </message>
    <message>
        <source>iPad Pro (1st, 12.9&apos;&apos;)</source>
        <translation>iPad Pro (1re gén., 12,9&apos;&apos;)</translation>
    </message>
    <message>
        <source>iPad Pro (1st, 9.7&apos;&apos;)</source>
        <translation>iPad Pro (1re gén., 9,7&apos;&apos;)</translation>
    </message>
    <message>
        <source>iPad Mini (5th generation)</source>
        <translation>iPad Mini (5e génération)</translation>
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
        <translation>iPad Air (4e génération)</translation>
    </message>
    <message>
        <source>iPad Air (3rd generation)</source>
        <translation>iPad Air (3e génération)</translation>
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
        <translation>iPad (8e génération)</translation>
    </message>
    <message>
        <source>iPad (7th generation)</source>
        <translation>iPad (7e génération)</translation>
    </message>
    <message>
        <source>iPad (6th generation)</source>
        <translation>iPad (6e génération)</translation>
    </message>
    <message>
        <source>iPad (5th generation)</source>
        <translation>iPad (5e génération)</translation>
    </message>
    <message>
        <source>iPad (4th generation)</source>
        <translation>iPad (4e génération)</translation>
    </message>
    <message>
        <source>iPad 2</source>
        <translation>iPad 2</translation>
    </message>
    <message>
        <source>iPad (1st generation)</source>
        <translation>iPad (1re génération)</translation>
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
        <translation>Apple TV (3e génération)</translation>
    </message>
    <message>
        <source>Apple TV 2nd Generation</source>
        <translation>Apple TV (2e génération)</translation>
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
        <translation>Composant installé.
Veuillez redémarrer le programme, puis reconnecter l’appareil.</translation>
    </message>
    <message>
        <source>Ok</source>
        <translation>OK</translation>
    </message>
    <message>
        <source>Initiating failed!</source>
        <translation>Échec de l’initialisation !</translation>
    </message>
    <message>
        <source>Skin initialization failed!</source>
        <translation>Échec de l’initialisation de l’habillage !</translation>
    </message>
    <message>
        <source>Partial skin files initialing failed!</source>
        <translation>L’initialisation de certains fichiers d’habillage a échoué !</translation>
    </message>
</context>
<context>
    <name>MyBugReportView</name>
    <message>
        <source>Invalid email address.</source>
        <translation>Adresse e-mail non valide.</translation>
    </message>
    <message>
        <source>Invalid characters in the name.</source>
        <translation>Caractères non valides dans le nom.</translation>
    </message>
    <message>
        <source>The attachment is larger than %1 MB.</source>
        <translation>La pièce jointe dépasse %1 Mo.</translation>
    </message>
    <message>
        <source>The file %1 cannot be attached.</source>
        <translation>Le fichier %1 ne peut pas être joint.</translation>
    </message>
    <message>
        <source>Email</source>
        <translation>E-mail</translation>
    </message>
    <message>
        <source>Name</source>
        <translation>Nom</translation>
    </message>
    <message>
        <source>If you have encountered some problems or received an error,please send us your details or screenshots.</source>
        <translation>Si vous avez rencontré un problème ou reçu un message d’erreur, envoyez-nous les détails ou des captures d’écran.</translation>
    </message>
    <message>
        <source>Bug reports are not set up on this installation.</source>
        <translation>L’envoi de rapports n’est pas configuré sur cette installation.</translation>
    </message>
    <message>
        <source>Attachment: %1</source>
        <translation>Pièce jointe : %1</translation>
    </message>
    <message>
        <source>Add Attachment</source>
        <translation>Ajouter une pièce jointe</translation>
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
        <translation>Langue</translation>
    </message>
    <message>
        <source>Setting</source>
        <translation>Paramètres</translation>
    </message>
    <message>
        <source>User Guide</source>
        <translation>Guide d’utilisation</translation>
    </message>
    <message>
        <source>Bug Report</source>
        <translation>Signaler un problème</translation>
    </message>
    <message>
        <source>About</source>
        <translation>À propos</translation>
    </message>
    <message>
        <source>Check for update</source>
        <translation>Rechercher des mises à jour</translation>
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
        <translation>Rapport envoyé avec succès !</translation>
    </message>
    <message>
        <source>Bug Report sent failed!</source>
        <translation>Échec de l’envoi du rapport !</translation>
    </message>
</context>
<context>
    <name>MySettingView</name>
    <message>
        <source>Open Directory</source>
        <translation>Ouvrir un dossier</translation>
    </message>
    <message>
        <source>There is not enough disk space. Please clean up the destination disk or select another folder.</source>
        <translation>Espace disque insuffisant. Veuillez libérer de l’espace sur le disque de destination ou choisir un autre dossier.</translation>
    </message>
    <message>
        <source>This folder cannot be written to. Please select another folder.</source>
        <translation>Impossible d’écrire dans ce dossier. Veuillez choisir un autre dossier.</translation>
    </message>
</context>
<context>
    <name>MyUpdateView</name>
    <message>
        <source>Current version:</source>
        <translation>Version actuelle :</translation>
    </message>
    <message>
        <source>Update available:</source>
        <translation>Mise à jour disponible :</translation>
    </message>
</context>
<context>
    <name>QObject</name>
    <message>
        <source>Database has been upgraded. Please restart program.</source>
        <translation>La base de données a été mise à jour. Veuillez redémarrer le programme.</translation>
    </message>
    <message>
        <source>Device not connected. Please re-connect device.</source>
        <translation>Appareil non connecté. Veuillez reconnecter l’appareil.</translation>
    </message>
    <message>
        <source>The repair ended without a result. Please try again.</source>
        <translation>La réparation s’est terminée sans résultat. Veuillez réessayer.</translation>
    </message>
    <message>
        <source>Failed to enter recovery mode. Please try again.</source>
        <translation>Impossible d’entrer en mode de récupération. Veuillez réessayer.</translation>
    </message>
    <message>
        <source>Failed to quit recovery mode. Please try again.</source>
        <translation>Impossible de quitter le mode de récupération. Veuillez réessayer.</translation>
    </message>
    <message>
        <source>Device detected. Please select mode to fix it.</source>
        <translation>Appareil détecté. Veuillez choisir un mode de réparation.</translation>
    </message>
    <message>
        <source>Downloading/Verifying Firmware package...
Are you sure to exit?</source>
        <translation>Téléchargement/vérification du paquet du firmware en cours...
Voulez-vous vraiment quitter ?</translation>
    </message>
    <message>
        <source>Fixing the device now.
Quiting might result in unknown device errors. Please don&apos;t shut down the program before the fixing completes. </source>
        <translation>Réparation de l’appareil en cours.
Quitter maintenant pourrait provoquer des erreurs inconnues sur l’appareil. Ne fermez pas le programme avant la fin de la réparation.</translation>
    </message>
    <message>
        <source>Time out in requesting background data. (-100)</source>
        <translation>Délai dépassé lors de la demande des données en arrière-plan. (-100)</translation>
    </message>
    <message>
        <source>Internal data error.</source>
        <translation>Erreur de données interne.</translation>
    </message>
    <message>
        <source>Program can&apos;t connect to the Internet. You could modify the Proxy settings in &quot;Settings - Connection&quot;.</source>
        <translation>Le programme ne peut pas se connecter à Internet. Vous pouvez modifier les paramètres du proxy dans « Paramètres - Connexion ».</translation>
    </message>
    <message>
        <source>Update:failed to find product record.</source>
        <translation>Mise à jour : fiche produit introuvable.</translation>
    </message>
    <message>
        <source>Updateable</source>
        <translation>Mise à jour possible</translation>
    </message>
    <message>
        <source>Update:you are using the newest version.</source>
        <translation>Mise à jour : vous utilisez la version la plus récente.</translation>
    </message>
    <message>
        <source>Update:xml data error.</source>
        <translation>Mise à jour : erreur dans les données XML.</translation>
    </message>
    <message>
        <source>Other errors. Please contact our Customer Service Center.</source>
        <translation>Autre erreur. Veuillez contacter notre service client.</translation>
    </message>
    <message>
        <source>Sending a bug report. Please try another later.</source>
        <translation>Un rapport est en cours d’envoi. Veuillez réessayer plus tard.</translation>
    </message>
    <message>
        <source>Please describe the problem clearly before submitting.</source>
        <translation>Veuillez décrire clairement le problème avant l’envoi.</translation>
    </message>
    <message>
        <source>Unknown error, try again please.</source>
        <translation>Erreur inconnue, veuillez réessayer.</translation>
    </message>
    <message>
        <source>Bug sending failed, please try again.</source>
        <translation>L’envoi du rapport a échoué, veuillez réessayer.</translation>
    </message>
</context>
<context>
    <name>SettingView</name>
    <message>
        <source>Setting</source>
        <translation>Paramètres</translation>
    </message>
    <message>
        <source>Repair file download:</source>
        <translation>Dossier des fichiers de réparation :</translation>
    </message>
    <message>
        <source>···</source>
        <translation>···</translation>
    </message>
    <message>
        <source>Open</source>
        <translation>Ouvrir</translation>
    </message>
    <message>
        <source>Automatically delete the file after completion</source>
        <translation>Supprimer automatiquement le fichier une fois terminé</translation>
    </message>
</context>
<context>
    <name>TitleBar</name>
    <message>
        <source>Settings</source>
        <translation>Paramètres</translation>
    </message>
    <message>
        <source>Help center</source>
        <translation>Centre d’aide</translation>
    </message>
    <message>
        <source>feedback</source>
        <translation>Commentaires</translation>
    </message>
</context>
<context>
    <name>UpdateView</name>
    <message>
        <source>Software Update</source>
        <translation>Mise à jour du logiciel</translation>
    </message>
    <message>
        <source>Check for update failed. Please try again later.</source>
        <translation>La recherche de mises à jour a échoué. Veuillez réessayer plus tard.</translation>
    </message>
    <message>
        <source>Retry</source>
        <translation>Réessayer</translation>
    </message>
    <message>
        <source>Update</source>
        <translation>Mettre à jour</translation>
    </message>
    <message>
        <source>Skip</source>
        <translation>Ignorer</translation>
    </message>
    <message>
        <source>You are using the latest version.</source>
        <translation>Vous utilisez la dernière version.</translation>
    </message>
    <message>
        <source>OK</source>
        <translation>OK</translation>
    </message>
</context>
</TS>
