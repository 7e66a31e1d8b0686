<?xml version="1.0" encoding="utf-8"?>
<!DOCTYPE TS>
<TS version="2.1" language="fr">
<context>
    <name>Accessibility</name>
    <message>
        <source>Norvo logo</source>
        <translation>Logo Norvo</translation>
    </message>
    <message>
        <source>The maker&apos;s logo</source>
        <translation>Le logo du fabricant</translation>
    </message>
    <message>
        <source>The router model this program upgrades</source>
        <translation>Le modèle de routeur que ce programme met à jour</translation>
    </message>
    <message>
        <source>The version of this upgrade program</source>
        <translation>La version de ce programme de mise à jour</translation>
    </message>
    <message>
        <source>Upgrade steps</source>
        <translation>Étapes de la mise à jour</translation>
    </message>
    <message>
        <source>The page of the upgrade shown now</source>
        <translation>La page de la mise à jour affichée maintenant</translation>
    </message>
    <message>
        <source>The router&apos;s administrator password; leave it empty if the router has none. Enter starts the upgrade</source>
        <translation>Le mot de passe administrateur du routeur ; laissez-le vide si le routeur n&apos;en a pas. Entrée lance la mise à jour</translation>
    </message>
    <message>
        <source>Tick it when this PC is connected to the router by a cable; then the upgrade can start</source>
        <translation>Cochez-la quand ce PC est relié au routeur par câble ; la mise à jour peut alors commencer</translation>
    </message>
    <message>
        <source>The step the upgrade is at</source>
        <translation>L&apos;étape où en est la mise à jour</translation>
    </message>
    <message>
        <source>How far the current operation has come</source>
        <translation>L&apos;avancement de l&apos;opération en cours</translation>
    </message>
    <message>
        <source>The router&apos;s address; found as the default gateway</source>
        <translation>L&apos;adresse du routeur ; trouvée comme passerelle par défaut</translation>
    </message>
    <message>
        <source>The port of the router&apos;s web interface, normally 80</source>
        <translation>Le port de l&apos;interface web du routeur, normalement 80</translation>
    </message>
    <message>
        <source>The router&apos;s administrator user name</source>
        <translation>Le nom d&apos;utilisateur administrateur du routeur</translation>
    </message>
    <message>
        <source>The router&apos;s administrator password; when empty the one of the first page</source>
        <translation>Le mot de passe administrateur du routeur ; s&apos;il est vide, celui de la première page</translation>
    </message>
    <message>
        <source>Asks the router for its firmware version and shows it below</source>
        <translation>Demande au routeur la version de son micrologiciel et l&apos;affiche ci-dessous</translation>
    </message>
    <message>
        <source>The firmware version the router reported</source>
        <translation>La version du micrologiciel indiquée par le routeur</translation>
    </message>
    <message>
        <source>The file the router settings are saved to</source>
        <translation>Le fichier où les paramètres du routeur sont enregistrés</translation>
    </message>
    <message>
        <source>Choose settings file</source>
        <translation>Choisir le fichier de paramètres</translation>
    </message>
    <message>
        <source>Opens a dialog to choose the file the router settings are saved to</source>
        <translation>Ouvre une fenêtre pour choisir le fichier où enregistrer les paramètres du routeur</translation>
    </message>
    <message>
        <source>Downloads the router settings into the file named above</source>
        <translation>Télécharge les paramètres du routeur dans le fichier indiqué ci-dessus</translation>
    </message>
    <message>
        <source>Router answer</source>
        <translation>Réponse du routeur</translation>
    </message>
    <message>
        <source>The router&apos;s answer to the last upload</source>
        <translation>La réponse du routeur au dernier envoi</translation>
    </message>
    <message>
        <source>The settings file that is sent back to the router</source>
        <translation>Le fichier de paramètres remis sur le routeur</translation>
    </message>
    <message>
        <source>Sends the settings file to the router and restarts the router</source>
        <translation>Envoie le fichier de paramètres au routeur et redémarre le routeur</translation>
    </message>
    <message>
        <source>Opens a dialog to choose the settings file to restore</source>
        <translation>Ouvre une fenêtre pour choisir le fichier de paramètres à restaurer</translation>
    </message>
    <message>
        <source>Success</source>
        <translation>Réussite</translation>
    </message>
    <message>
        <source>The upgrade succeeded</source>
        <translation>La mise à jour a réussi</translation>
    </message>
    <message>
        <source>Failure</source>
        <translation>Échec</translation>
    </message>
    <message>
        <source>The upgrade did not succeed</source>
        <translation>La mise à jour n&apos;a pas réussi</translation>
    </message>
    <message>
        <source>The outcome of the upgrade</source>
        <translation>Le résultat de la mise à jour</translation>
    </message>
    <message>
        <source>The product support web site; Enter or Space opens it</source>
        <translation>Le site web d&apos;assistance du produit ; Entrée ou Espace l&apos;ouvre</translation>
    </message>
    <message>
        <source>The file to send to support</source>
        <translation>Le fichier à envoyer à l&apos;assistance</translation>
    </message>
    <message>
        <source>Opens the page that puts the saved router settings back</source>
        <translation>Ouvre la page qui remet les paramètres sauvegardés sur le routeur</translation>
    </message>
    <message>
        <source>Saves the firmware file, for an upgrade through the router&apos;s own pages</source>
        <translation>Enregistre le fichier du micrologiciel, pour une mise à jour par l&apos;interface web du routeur</translation>
    </message>
    <message>
        <source>Closes the program</source>
        <translation>Ferme le programme</translation>
    </message>
    <message>
        <source>Goes on; on the first page it starts the upgrade of the router</source>
        <translation>Continue ; sur la première page, lance la mise à jour du routeur</translation>
    </message>
    <message>
        <source>Goes back to the page before</source>
        <translation>Revient à la page précédente</translation>
    </message>
    <message>
        <source>Runs the test code</source>
        <translation>Exécute le code de test</translation>
    </message>
    <message>
        <source>Shows the tabs of all pages</source>
        <translation>Affiche les onglets de toutes les pages</translation>
    </message>
</context>
<context>
    <name>CommandLine</name>
    <message>
        <source>Try &apos;%1 --help&apos; for more information.</source>
        <translation>Lancez &apos;%1 --help&apos; pour en savoir plus.</translation>
    </message>
    <message>
        <source>
Exit status of --express, --check and --restore:
  0  upgraded and verified, already current, the version read, or the settings restored
  1  the program cannot run, or the run failed before anything on the router changed
  2  unknown option or argument
  3  cannot log in to the router; nothing on it changed
  4  the run failed after the router was changed: the settings backup is kept (its path is printed)
  5  upgraded, but no password proves that the router took its settings back: the backup is kept
  6  the firmware image in this program is missing or damaged
  7  no router found: this PC has no default gateway (name one with --router)
  8  another run of this program is changing a router from this PC
  9  a settings backup of this router is still pending (restore it, or use --new-backup)

The password is never given on the command line: --password-file FILE (its first line; the file may be
readable by you alone), else standard input when it is not a terminal, else it is asked for on the
terminal without echo. An empty line is an empty password.
</source>
        <translation>
Code de sortie de --express, --check et --restore :
  0  mis à jour et vérifié, déjà à jour, version lue, ou paramètres restaurés
  1  le programme ne peut pas s&apos;exécuter, ou l&apos;opération a échoué avant toute modification du routeur
  2  option ou argument inconnu
  3  connexion au routeur impossible ; rien n&apos;a été modifié sur le routeur
  4  l&apos;opération a échoué après la modification du routeur : la sauvegarde des paramètres est
     conservée (son chemin est affiché)
  5  mis à jour, mais aucun mot de passe ne prouve que le routeur a repris ses paramètres :
     la sauvegarde est conservée
  6  l&apos;image du micrologiciel de ce programme est absente ou endommagée
  7  aucun routeur trouvé : ce PC n&apos;a pas de passerelle par défaut (indiquez-en une avec --router)
  8  une autre exécution de ce programme modifie un routeur depuis ce PC
  9  une sauvegarde des paramètres de ce routeur est encore en attente (restaurez-la, ou utilisez
     --new-backup)

Le mot de passe n&apos;est jamais donné sur la ligne de commande : --password-file FICHIER (sa première
ligne ; vous seul devez pouvoir lire ce fichier), sinon l&apos;entrée standard si ce n&apos;est pas un terminal,
sinon il est demandé dans le terminal sans affichage. Une ligne vide est un mot de passe vide.
</translation>
    </message>
    <message>
        <source>Upgrades the firmware of a Norvo WRX-270 router wired to this PC, over the router&apos;s web interface.

Also takes Qt&apos;s own options, such as -platform NAME, -style NAME, -stylesheet FILE, -geometry WxH+X+Y, -display HOST:N and -reverse.</source>
        <translation>Met à jour le micrologiciel d&apos;un routeur Norvo WRX-270 relié par câble à ce PC, via l&apos;interface web du routeur.

Accepte aussi les options propres à Qt, comme -platform NAME, -style NAME, -stylesheet FILE, -geometry WxH+X+Y, -display HOST:N et -reverse.</translation>
    </message>
    <message>
        <source>Displays this help and exits.</source>
        <translation>Affiche cette aide et quitte.</translation>
    </message>
    <message>
        <source>Displays the program&apos;s name and version and exits.</source>
        <translation>Affiche le nom et la version du programme et quitte.</translation>
    </message>
    <message>
        <source>Let a build without a real firmware image send and save its placeholder image. Only for simulated routers (the demo, the end-to-end tests, the benchmark): never for a real router.</source>
        <translation>Permet à une version sans véritable image de micrologiciel d&apos;envoyer et d&apos;enregistrer son image de substitution. Uniquement pour les routeurs simulés (démo, tests de bout en bout, banc d&apos;essai) : jamais pour un vrai routeur.</translation>
    </message>
    <message>
        <source>Upgrade the router&apos;s firmware without the window: save its settings, upgrade, restore the settings, verify.</source>
        <translation>Met à jour le micrologiciel du routeur sans fenêtre : sauvegarde des paramètres, mise à jour, restauration des paramètres, vérification.</translation>
    </message>
    <message>
        <source>Log in to the router and print its firmware version.</source>
        <translation>Se connecte au routeur et affiche la version de son micrologiciel.</translation>
    </message>
    <message>
        <source>Restore the router&apos;s settings from FILE and restart it.</source>
        <translation>Restaure les paramètres du routeur depuis FILE et le redémarre.</translation>
    </message>
    <message>
        <source>The router&apos;s address (IPv4 address or host name, optionally :port) instead of the default gateway; kept while the router restarts.</source>
        <translation>L&apos;adresse du routeur (adresse IPv4 ou nom d&apos;hôte, éventuellement avec :port) au lieu de la passerelle par défaut ; conservée pendant le redémarrage du routeur.</translation>
    </message>
    <message>
        <source>Read the router&apos;s password from the first line of FILE (readable by you alone).</source>
        <translation>Lit le mot de passe du routeur sur la première ligne de FILE (lisible par vous seul).</translation>
    </message>
    <message>
        <source>Print only the outcome.</source>
        <translation>N&apos;affiche que le résultat.</translation>
    </message>
    <message>
        <source>Upgrade also when a settings backup of this router from an earlier run is still pending.</source>
        <translation>Met à jour même si une sauvegarde des paramètres de ce routeur issue d&apos;une exécution précédente est encore en attente.</translation>
    </message>
    <message>
        <source>Unexpected argument &apos;%1&apos;.</source>
        <translation>Argument inattendu &apos;%1&apos;.</translation>
    </message>
    <message>
        <source>Only one of --express, --check and --restore at a time.</source>
        <translation>Une seule des options --express, --check et --restore à la fois.</translation>
    </message>
    <message>
        <source>&apos;--%1&apos; given more than once.</source>
        <translation>&apos;--%1&apos; donné plus d&apos;une fois.</translation>
    </message>
    <message>
        <source>&apos;--%1&apos; goes with --express, --check or --restore.</source>
        <translation>&apos;--%1&apos; s&apos;utilise avec --express, --check ou --restore.</translation>
    </message>
    <message>
        <source>&apos;--new-backup&apos; goes with --express only.</source>
        <translation>&apos;--new-backup&apos; s&apos;utilise uniquement avec --express.</translation>
    </message>
    <message>
        <source>&apos;--restore&apos; needs a file.</source>
        <translation>&apos;--restore&apos; demande un fichier.</translation>
    </message>
    <message>
        <source>&apos;%1&apos; is no router address: give an IPv4 address or a host name, optionally with :port (1-65535).</source>
        <translation>&apos;%1&apos; n&apos;est pas une adresse de routeur : indiquez une adresse IPv4 ou un nom d&apos;hôte, éventuellement avec :port (1-65535).</translation>
    </message>
    <message>
        <source>&apos;--password-file&apos; needs a file.</source>
        <translation>&apos;--password-file&apos; demande un fichier.</translation>
    </message>
    <message>
        <source>the window system &quot;%1&quot; could not be started</source>
        <translation>le système de fenêtres &quot;%1&quot; n&apos;a pas pu être démarré</translation>
    </message>
    <message>
        <source>neither DISPLAY nor WAYLAND_DISPLAY is set</source>
        <translation>ni DISPLAY ni WAYLAND_DISPLAY ne sont définis</translation>
    </message>
    <message>
        <source>none could be reached through %1</source>
        <translation>aucun n&apos;a pu être atteint via %1</translation>
    </message>
    <message>
        <source> or </source>
        <translation> ou </translation>
    </message>
    <message>
        <source>%1: no display to show the window on (%2); start it from a desktop session.</source>
        <translation>%1 : aucun écran pour afficher la fenêtre (%2) ; lancez le programme depuis une session de bureau.</translation>
    </message>
</context>
<context>
    <name>ShownText</name>
    <message>
        <source>Saving Router Settings...</source>
        <translation>Sauvegarde des paramètres du routeur...</translation>
    </message>
    <message>
        <source>Uploading Router Settings...</source>
        <translation>Envoi des paramètres du routeur...</translation>
    </message>
    <message>
        <source>Finalizing Router Settings Upload...</source>
        <translation>Finalisation de l&apos;envoi des paramètres du routeur...</translation>
    </message>
    <message>
        <source>Upgrading Firmware...</source>
        <translation>Mise à jour du micrologiciel...</translation>
    </message>
    <message>
        <source>Finalizing Firmware Upgrade...</source>
        <translation>Finalisation de la mise à jour du micrologiciel...</translation>
    </message>
    <message>
        <source>Restarting Router...</source>
        <translation>Redémarrage du routeur...</translation>
    </message>
    <message>
        <source>The router has finished restarting...</source>
        <translation>Le routeur a redémarré...</translation>
    </message>
    <message>
        <source>Contacting the router...</source>
        <translation>Connexion au routeur...</translation>
    </message>
    <message>
        <source>Retrieving default gateway...</source>
        <translation>Recherche de la passerelle par défaut...</translation>
    </message>
    <message>
        <source>Please wait while the router writes the new firmware. Do not turn it off...</source>
        <translation>Veuillez patienter pendant que le routeur écrit le nouveau micrologiciel. Ne l&apos;éteignez pas...</translation>
    </message>
    <message>
        <source>There is a problem with the firmware in this installer. Please try downloading it again.</source>
        <translation>Le micrologiciel de ce programme d&apos;installation présente un problème. Veuillez le télécharger à nouveau.</translation>
    </message>
    <message>
        <source>Cannot log in to the router. Please check the wiring, retype the password if needed, then click the Next button.</source>
        <translation>Connexion au routeur impossible. Vérifiez le câblage, saisissez à nouveau le mot de passe si nécessaire, puis cliquez sur Suivant.</translation>
    </message>
    <message>
        <source>The router did not confirm that it received the new firmware. It may still be writing it: do not turn the router off or unplug it for the next few minutes.</source>
        <translation>Le routeur n&apos;a pas confirmé la réception du nouveau micrologiciel. Il est peut-être encore en train de l&apos;écrire : n&apos;éteignez pas le routeur et ne le débranchez pas pendant les prochaines minutes.</translation>
    </message>
    <message>
        <source>There was an error with the upgrade process.</source>
        <translation>Une erreur s&apos;est produite pendant la mise à jour.</translation>
    </message>
    <message>
        <source>The firmware version does not match.</source>
        <translation>La version du micrologiciel ne correspond pas.</translation>
    </message>
    <message>
        <source>Could not connect to router and/or determine firmware version.</source>
        <translation>Impossible de se connecter au routeur ou de déterminer la version du micrologiciel.</translation>
    </message>
    <message>
        <source>This router has firmware version 3.0.</source>
        <translation>Ce routeur a la version 3.0 du micrologiciel.</translation>
    </message>
    <message>
        <source>Error logging into router.</source>
        <translation>Erreur lors de la connexion au routeur.</translation>
    </message>
    <message>
        <source>Congratulations! You have successfully upgraded the firmware on your router.</source>
        <translation>Félicitations ! Le micrologiciel de votre routeur a bien été mis à jour.</translation>
    </message>
    <message>
        <source>Congratulations! This router now contains the most current firmware.</source>
        <translation>Félicitations ! Ce routeur dispose maintenant du micrologiciel le plus récent.</translation>
    </message>
    <message>
        <source>You may close this installer and try running it again or use the web interface of your router to perform the upgrade.</source>
        <translation>Vous pouvez fermer ce programme d&apos;installation et le relancer, ou effectuer la mise à jour depuis l&apos;interface web de votre routeur.</translation>
    </message>
    <message>
        <source>It cannot be updated automatically. Go to the following website and update the firmware manually.</source>
        <translation>Il ne peut pas être mis à jour automatiquement. Rendez-vous sur le site web suivant et mettez à jour le micrologiciel manuellement.</translation>
    </message>
    <message>
        <source>The router did not accept the password. Type the router&apos;s current admin password to restore the settings:</source>
        <translation>Le routeur n&apos;a pas accepté le mot de passe. Saisissez le mot de passe administrateur actuel du routeur pour restaurer les paramètres :</translation>
    </message>
    <message>
        <source>Cannot log in to the router, so the settings from &quot;%1&quot; were not sent. Please check the wiring and the password, then click Restore Settings again.</source>
        <translation>Connexion au routeur impossible : les paramètres de &quot;%1&quot; n&apos;ont donc pas été envoyés. Vérifiez le câblage et le mot de passe, puis cliquez à nouveau sur Restaurer les paramètres.</translation>
    </message>
    <message>
        <source>The router did not confirm that it took the settings from &quot;%1&quot;. The file is kept: check the wiring, then click Restore Settings again.</source>
        <translation>Le routeur n&apos;a pas confirmé avoir repris les paramètres de &quot;%1&quot;. Le fichier est conservé : vérifiez le câblage, puis cliquez à nouveau sur Restaurer les paramètres.</translation>
    </message>
    <message>
        <source>&quot;%1&quot; holds your router settings from before an upgrade that did not finish. Saving now would replace them with the router&apos;s current settings.

Replace the file anyway?</source>
        <translation>&quot;%1&quot; contient les paramètres de votre routeur d&apos;avant une mise à jour qui n&apos;a pas abouti. Enregistrer maintenant les remplacerait par les paramètres actuels du routeur.

Remplacer le fichier quand même ?</translation>
    </message>
    <message>
        <source>An earlier upgrade did not finish. Your router settings from before it are saved in &quot;%1&quot;.

Open the Restore Settings page to put them back on the router?</source>
        <translation>Une mise à jour précédente n&apos;a pas abouti. Les paramètres de votre routeur d&apos;avant celle-ci sont enregistrés dans &quot;%1&quot;.

Ouvrir la page Restaurer les paramètres pour les remettre sur le routeur ?</translation>
    </message>
    <message>
        <source>The settings backup could not be noted in the folder &quot;%1&quot;, so it could not be offered again after a failure. The router has not been changed. Make sure you can write to that folder, then try again.</source>
        <translation>La sauvegarde des paramètres n&apos;a pas pu être notée dans le dossier &quot;%1&quot; : elle ne pourrait donc pas être proposée à nouveau après un échec. Le routeur n&apos;a pas été modifié. Vérifiez que vous pouvez écrire dans ce dossier, puis réessayez.</translation>
    </message>
    <message>
        <source>This installer carries a placeholder image, not firmware for a router.</source>
        <translation>Ce programme d&apos;installation contient une image de substitution, pas un micrologiciel pour un routeur.</translation>
    </message>
    <message>
        <source>The firmware image is missing from this installer.</source>
        <translation>L&apos;image du micrologiciel est absente de ce programme d&apos;installation.</translation>
    </message>
    <message>
        <source>The firmware image in this installer is damaged.</source>
        <translation>L&apos;image du micrologiciel de ce programme d&apos;installation est endommagée.</translation>
    </message>
    <message>
        <source>The firmware file changed on disk before it was sent.</source>
        <translation>Le fichier du micrologiciel a été modifié sur le disque avant son envoi.</translation>
    </message>
    <message>
        <source>The router sent empty settings.</source>
        <translation>Le routeur a envoyé des paramètres vides.</translation>
    </message>
    <message>
        <source>Cannot open file &quot;%1&quot;.</source>
        <translation>Impossible d&apos;ouvrir le fichier &quot;%1&quot;.</translation>
    </message>
    <message>
        <source>Unknown error</source>
        <translation>Erreur inconnue</translation>
    </message>
    <message>
        <source>Not Connected</source>
        <translation>Non connecté</translation>
    </message>
    <message>
        <source>Connection Closed Gracefully.</source>
        <translation>La connexion a été fermée par l&apos;autre partie.</translation>
    </message>
    <message>
        <source>Response body larger than %1 bytes.</source>
        <translation>Corps de la réponse supérieur à %1 octets.</translation>
    </message>
    <message>
        <source>Response header larger than %1 bytes.</source>
        <translation>En-tête de la réponse supérieur à %1 octets.</translation>
    </message>
    <message>
        <source>Socket Error # %1</source>
        <translation>Erreur de socket n° %1</translation>
    </message>
    <message>
        <source>Connection refused.</source>
        <translation>Connexion refusée.</translation>
    </message>
    <message>
        <source>Connection timed out.</source>
        <translation>Délai de connexion dépassé.</translation>
    </message>
    <message>
        <source>Connection reset by peer.</source>
        <translation>Connexion réinitialisée par l&apos;autre partie.</translation>
    </message>
    <message>
        <source>Network is down.</source>
        <translation>Le réseau est hors service.</translation>
    </message>
    <message>
        <source>Network is unreachable.</source>
        <translation>Le réseau est inaccessible.</translation>
    </message>
    <message>
        <source>No route to host.</source>
        <translation>Aucun chemin d&apos;accès vers l&apos;hôte.</translation>
    </message>
    <message>
        <source>Host is down.</source>
        <translation>L&apos;hôte est hors service.</translation>
    </message>
    <message>
        <source>Host not found.</source>
        <translation>Hôte introuvable.</translation>
    </message>
    <message>
        <source>Software caused connection abort.</source>
        <translation>Connexion interrompue par le logiciel.</translation>
    </message>
    <message>
        <source>Cannot assign requested address.</source>
        <translation>Impossible d&apos;attribuer l&apos;adresse demandée.</translation>
    </message>
    <message>
        <source>Cannot log in to the router. Please check the wiring and the password, then run the program again.</source>
        <translation>Connexion au routeur impossible. Vérifiez le câblage et le mot de passe, puis relancez le programme.</translation>
    </message>
    <message>
        <source>No router found: this PC has no default gateway. Check the cable to the router, or name the router with --router.</source>
        <translation>Aucun routeur trouvé : ce PC n&apos;a pas de passerelle par défaut. Vérifiez le câble vers le routeur, ou indiquez le routeur avec --router.</translation>
    </message>
    <message>
        <source>Another run of this program is changing a router from this PC. Try again when it has finished.</source>
        <translation>Une autre exécution de ce programme modifie un routeur depuis ce PC. Réessayez lorsqu&apos;elle sera terminée.</translation>
    </message>
    <message>
        <source>router not recorded</source>
        <translation>routeur non noté</translation>
    </message>
    <message>
        <source>router %1</source>
        <translation>routeur %1</translation>
    </message>
    <message>
        <source>A settings backup from an earlier upgrade is pending: %1 (%2%3). Restore it with --restore %1.</source>
        <translation>Une sauvegarde des paramètres issue d&apos;une mise à jour précédente est en attente : %1 (%2%3). Restaurez-la avec --restore %1.</translation>
    </message>
    <message>
        <source>A settings backup of this router from an earlier upgrade is still pending: %1. Restore it with --restore %1, or upgrade anyway with --new-backup.</source>
        <translation>Une sauvegarde des paramètres de ce routeur issue d&apos;une mise à jour précédente est encore en attente : %1. Restaurez-la avec --restore %1, ou mettez à jour quand même avec --new-backup.</translation>
    </message>
    <message>
        <source>Unknown error.</source>
        <translation>Erreur inconnue.</translation>
    </message>
    <message>
        <source>The run failed.</source>
        <translation>L&apos;opération a échoué.</translation>
    </message>
    <message>
        <source>Router firmware version: %1</source>
        <translation>Version du micrologiciel du routeur : %1</translation>
    </message>
    <message>
        <source>The router settings from &quot;%1&quot; are restored.</source>
        <translation>Les paramètres du routeur issus de &quot;%1&quot; sont restaurés.</translation>
    </message>
    <message>
        <source>Settings backup kept: %1</source>
        <translation>Sauvegarde des paramètres conservée : %1</translation>
    </message>
    <message>
        <source>%1 refused: the router is being changed; the run goes on.</source>
        <translation>%1 refusé : le routeur est en cours de modification ; l&apos;opération continue.</translation>
    </message>
    <message>
        <source>%1: ending now; nothing on the router has changed.</source>
        <translation>%1 : arrêt immédiat ; rien n&apos;a changé sur le routeur.</translation>
    </message>
</context>
<context>
    <name>TfrmMain</name>
    <message>
        <source>The router is being upgraded. Closing now could leave it without its settings. Please wait until the upgrade has finished.</source>
        <translation>Le routeur est en cours de mise à jour. Fermer maintenant pourrait le laisser sans ses paramètres. Veuillez attendre la fin de la mise à jour.</translation>
    </message>
    <message>
        <source>Another upgrade is running on this PC. Wait for it to finish, then try again.</source>
        <translation>Une autre mise à jour est en cours sur ce PC. Attendez qu&apos;elle se termine, puis réessayez.</translation>
    </message>
    <message>
        <source>&amp;Save Settings</source>
        <translation>&amp;Enregistrer les paramètres</translation>
    </message>
    <message>
        <source>&amp;Restore Settings</source>
        <translation>&amp;Restaurer les paramètres</translation>
    </message>
    <message>
        <source>&amp;Previous</source>
        <translation>&amp;Précédent</translation>
    </message>
    <message>
        <source>&amp;Next</source>
        <translation>&amp;Suivant</translation>
    </message>
    <message>
        <source>&amp;Cancel</source>
        <translation>A&amp;nnuler</translation>
    </message>
    <message>
        <source>GWS File (*.gws)|*.gws|All Files (*.*)|*.*</source>
        <translation>Fichier GWS (*.gws)|*.gws|Tous les fichiers (*.*)|*.*</translation>
    </message>
    <message>
        <source>Binary Files (*.bin)|*.bin|All Files (*.*)|*.*</source>
        <translation>Fichiers binaires (*.bin)|*.bin|Tous les fichiers (*.*)|*.*</translation>
    </message>
    <message>
        <source>Admin Password :</source>
        <translation>Mot de passe administrateur :</translation>
    </message>
    <message>
        <source>Details of this run for support:
</source>
        <translation>Détails de cette opération pour l&apos;assistance :
</translation>
    </message>
    <message>
        <source>&amp;Close</source>
        <translation>&amp;Fermer</translation>
    </message>
    <message>
        <source>Your router settings from before the upgrade are saved in &quot;%1&quot;. Click the button to put them back on the router:</source>
        <translation>Les paramètres de votre routeur d&apos;avant la mise à jour sont enregistrés dans &quot;%1&quot;. Cliquez sur le bouton pour les remettre sur le routeur :</translation>
    </message>
    <message>
        <source>Your router settings from before the upgrade are kept in &quot;%1&quot;. If your router has lost its settings, click the button to put them back:</source>
        <translation>Les paramètres de votre routeur d&apos;avant la mise à jour sont conservés dans &quot;%1&quot;. Si votre routeur a perdu ses paramètres, cliquez sur le bouton pour les remettre :</translation>
    </message>
    <message>
        <source>The firmware file has been saved.</source>
        <translation>Le fichier du micrologiciel a été enregistré.</translation>
    </message>
    <message>
        <source>The firmware file could not be saved.
</source>
        <translation>Le fichier du micrologiciel n&apos;a pas pu être enregistré.
</translation>
    </message>
    <message>
        <source>If this router requires a password. Please enter the password now.</source>
        <translation>Si ce routeur demande un mot de passe, veuillez le saisir maintenant.</translation>
    </message>
</context>
<context>
    <name>frmMain</name>
    <message>
        <source>Norvo Firmware Upgrade</source>
        <translation>Mise à jour du micrologiciel Norvo</translation>
    </message>
    <message>
        <source>Router Model : </source>
        <translation>Modèle de routeur : </translation>
    </message>
    <message>
        <source>Firmware Upgrade : Version </source>
        <translation>Mise à jour du micrologiciel : version </translation>
    </message>
    <message>
        <source>Upgrade Type</source>
        <translation>Type de mise à jour</translation>
    </message>
    <message>
        <source>Admin Password :</source>
        <translation>Mot de passe administrateur :</translation>
    </message>
    <message>
        <source>To upgrade the firmware, your PC must have a wired connection to one of the LAN ports on the router.</source>
        <translation>Pour mettre à jour le micrologiciel, votre PC doit être relié par câble à l&apos;un des ports LAN du routeur.</translation>
    </message>
    <message>
        <source> Check this box if you have a wired connection to the router.</source>
        <translation> Cochez cette case si votre PC est relié au routeur par câble.</translation>
    </message>
    <message>
        <source>Click the Next button to continue.</source>
        <translation>Cliquez sur Suivant pour continuer.</translation>
    </message>
    <message>
        <source>Status</source>
        <translation>État</translation>
    </message>
    <message>
        <source>Status...</source>
        <translation>État...</translation>
    </message>
    <message>
        <source>Please wait while your Norvo router is being upgraded.  It may take several minutes to upgrade the device firmware and restore the original router settings.</source>
        <translation>Veuillez patienter pendant la mise à jour de votre routeur Norvo.  La mise à jour du micrologiciel et la restauration des paramètres d&apos;origine du routeur peuvent prendre plusieurs minutes.</translation>
    </message>
    <message>
        <source>Configuration</source>
        <translation>Configuration</translation>
    </message>
    <message>
        <source>Router IP Address (Default Gateway) :</source>
        <translation>Adresse IP du routeur (passerelle par défaut) :</translation>
    </message>
    <message>
        <source>Port :</source>
        <translation>Port :</translation>
    </message>
    <message>
        <source>Username :</source>
        <translation>Nom d&apos;utilisateur :</translation>
    </message>
    <message>
        <source>Password :</source>
        <translation>Mot de passe :</translation>
    </message>
    <message>
        <source>Current Firmware Version :</source>
        <translation>Version actuelle du micrologiciel :</translation>
    </message>
    <message>
        <source>NOTE: Check firmware version to continue</source>
        <translation>REMARQUE : vérifiez la version du micrologiciel pour continuer</translation>
    </message>
    <message>
        <source>Check Firmware Version</source>
        <translation>Vérifier la version du micrologiciel</translation>
    </message>
    <message>
        <source>Save Settings</source>
        <translation>Enregistrer les paramètres</translation>
    </message>
    <message>
        <source>You may use this form to save your current router settings before the firmware upgrade.</source>
        <translation>Ce formulaire vous permet d&apos;enregistrer les paramètres actuels de votre routeur avant la mise à jour du micrologiciel.</translation>
    </message>
    <message>
        <source>Router Settings File :</source>
        <translation>Fichier des paramètres du routeur :</translation>
    </message>
    <message>
        <source>&amp;Save Settings</source>
        <translation>&amp;Enregistrer les paramètres</translation>
    </message>
    <message>
        <source>NOTE: Clicking the Next button will begin the firmware upgrade of your router.</source>
        <translation>REMARQUE : un clic sur Suivant lance la mise à jour du micrologiciel de votre routeur.</translation>
    </message>
    <message>
        <source>Please close all other applications to ensure data is not lost while the firmware upgrade application runs.</source>
        <translation>Veuillez fermer toutes les autres applications afin qu&apos;aucune donnée ne soit perdue pendant la mise à jour du micrologiciel.</translation>
    </message>
    <message>
        <source>Output</source>
        <translation>Sortie</translation>
    </message>
    <message>
        <source>Restore Settings</source>
        <translation>Restaurer les paramètres</translation>
    </message>
    <message>
        <source>You may use this form to restore a router settings file you may have previously saved.</source>
        <translation>Ce formulaire vous permet de restaurer un fichier de paramètres du routeur enregistré auparavant.</translation>
    </message>
    <message>
        <source>&amp;Restore Settings</source>
        <translation>&amp;Restaurer les paramètres</translation>
    </message>
    <message>
        <source>Outcome</source>
        <translation>Résultat</translation>
    </message>
    <message>
        <source>Your router settings are saved in the file named here.</source>
        <translation>Les paramètres de votre routeur sont enregistrés dans le fichier indiqué ici.</translation>
    </message>
    <message>
        <source>Details of this run for support:</source>
        <translation>Détails de cette opération pour l&apos;assistance :</translation>
    </message>
    <message>
        <source>Click the button to save the firmware file to your computer:</source>
        <translation>Cliquez sur le bouton pour enregistrer le fichier du micrologiciel sur votre ordinateur :</translation>
    </message>
    <message>
        <source>Save Firmware</source>
        <translation>Enregistrer le micrologiciel</translation>
    </message>
    <message>
        <source>Show Tabs</source>
        <translation>Afficher les onglets</translation>
    </message>
    <message>
        <source>Test</source>
        <translation>Test</translation>
    </message>
    <message>
        <source>&amp;Previous</source>
        <translation>&amp;Précédent</translation>
    </message>
    <message>
        <source>&amp;Next</source>
        <translation>&amp;Suivant</translation>
    </message>
    <message>
        <source>&amp;Cancel</source>
        <translation>A&amp;nnuler</translation>
    </message>
</context>
</TS>
