<?xml version="1.0" encoding="utf-8"?>
<!DOCTYPE TS>
<TS version="2.1" language="es">
<context>
    <name>Accessibility</name>
    <message>
        <source>Norvo logo</source>
        <translation>Logotipo de Norvo</translation>
    </message>
    <message>
        <source>The maker&apos;s logo</source>
        <translation>El logotipo del fabricante</translation>
    </message>
    <message>
        <source>The router model this program upgrades</source>
        <translation>El modelo de router que actualiza este programa</translation>
    </message>
    <message>
        <source>The version of this upgrade program</source>
        <translation>La versión de este programa de actualización</translation>
    </message>
    <message>
        <source>Upgrade steps</source>
        <translation>Pasos de la actualización</translation>
    </message>
    <message>
        <source>The page of the upgrade shown now</source>
        <translation>La página de la actualización que se muestra ahora</translation>
    </message>
    <message>
        <source>The router&apos;s administrator password; leave it empty if the router has none. Enter starts the upgrade</source>
        <translation>La contraseña de administrador del router; déjela vacía si el router no tiene. Intro inicia la actualización</translation>
    </message>
    <message>
        <source>Tick it when this PC is connected to the router by a cable; then the upgrade can start</source>
        <translation>Márquela cuando este PC esté conectado por cable al router; entonces puede empezar la actualización</translation>
    </message>
    <message>
        <source>The step the upgrade is at</source>
        <translation>El paso en el que está la actualización</translation>
    </message>
    <message>
        <source>How far the current operation has come</source>
        <translation>El avance de la operación en curso</translation>
    </message>
    <message>
        <source>The router&apos;s address; found as the default gateway</source>
        <translation>La dirección del router; encontrada como puerta de enlace predeterminada</translation>
    </message>
    <message>
        <source>The port of the router&apos;s web interface, normally 80</source>
        <translation>El puerto de la interfaz web del router, normalmente 80</translation>
    </message>
    <message>
        <source>The router&apos;s administrator user name</source>
        <translation>El nombre de usuario de administrador del router</translation>
    </message>
    <message>
        <source>The router&apos;s administrator password; when empty the one of the first page</source>
        <translation>La contraseña de administrador del router; si está vacía, la de la primera página</translation>
    </message>
    <message>
        <source>Asks the router for its firmware version and shows it below</source>
        <translation>Pregunta al router su versión de firmware y la muestra debajo</translation>
    </message>
    <message>
        <source>The firmware version the router reported</source>
        <translation>La versión de firmware que indicó el router</translation>
    </message>
    <message>
        <source>The file the router settings are saved to</source>
        <translation>El archivo en el que se guarda la configuración del router</translation>
    </message>
    <message>
        <source>Choose settings file</source>
        <translation>Elegir archivo de configuración</translation>
    </message>
    <message>
        <source>Opens a dialog to choose the file the router settings are saved to</source>
        <translation>Abre un diálogo para elegir el archivo en el que se guarda la configuración del router</translation>
    </message>
    <message>
        <source>Downloads the router settings into the file named above</source>
        <translation>Descarga la configuración del router en el archivo indicado arriba</translation>
    </message>
    <message>
        <source>Router answer</source>
        <translation>Respuesta del router</translation>
    </message>
    <message>
        <source>The router&apos;s answer to the last upload</source>
        <translation>La respuesta del router al último envío</translation>
    </message>
    <message>
        <source>The settings file that is sent back to the router</source>
        <translation>El archivo de configuración que se devuelve al router</translation>
    </message>
    <message>
        <source>Sends the settings file to the router and restarts the router</source>
        <translation>Envía el archivo de configuración al router y reinicia el router</translation>
    </message>
    <message>
        <source>Opens a dialog to choose the settings file to restore</source>
        <translation>Abre un diálogo para elegir el archivo de configuración que se va a restaurar</translation>
    </message>
    <message>
        <source>Success</source>
        <translation>Éxito</translation>
    </message>
    <message>
        <source>The upgrade succeeded</source>
        <translation>La actualización se ha completado</translation>
    </message>
    <message>
        <source>Failure</source>
        <translation>Error</translation>
    </message>
    <message>
        <source>The upgrade did not succeed</source>
        <translation>La actualización no se ha completado</translation>
    </message>
    <message>
        <source>The outcome of the upgrade</source>
        <translation>El resultado de la actualización</translation>
    </message>
    <message>
        <source>The product support web site; Enter or Space opens it</source>
        <translation>El sitio web de soporte técnico del producto; Intro o Espacio lo abre</translation>
    </message>
    <message>
        <source>The file to send to support</source>
        <translation>El archivo que debe enviar al soporte técnico</translation>
    </message>
    <message>
        <source>Opens the page that puts the saved router settings back</source>
        <translation>Abre la página que devuelve al router la configuración guardada</translation>
    </message>
    <message>
        <source>Saves the firmware file, for an upgrade through the router&apos;s own pages</source>
        <translation>Guarda el archivo de firmware, para actualizar desde la interfaz web del router</translation>
    </message>
    <message>
        <source>Closes the program</source>
        <translation>Cierra el programa</translation>
    </message>
    <message>
        <source>Goes on; on the first page it starts the upgrade of the router</source>
        <translation>Continúa; en la primera página inicia la actualización del router</translation>
    </message>
    <message>
        <source>Goes back to the page before</source>
        <translation>Vuelve a la página anterior</translation>
    </message>
    <message>
        <source>Runs the test code</source>
        <translation>Ejecuta el código de prueba</translation>
    </message>
    <message>
        <source>Shows the tabs of all pages</source>
        <translation>Muestra las pestañas de todas las páginas</translation>
    </message>
</context>
<context>
    <name>CommandLine</name>
    <message>
        <source>Try &apos;%1 --help&apos; for more information.</source>
        <translation>Ejecute &apos;%1 --help&apos; para más información.</translation>
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
Estado de salida de --express, --check y --restore:
  0  actualizado y verificado, ya al día, versión leída o configuración restaurada
  1  el programa no puede ejecutarse, o la operación falló antes de cambiar nada en el router
  2  opción o argumento desconocido
  3  no se puede iniciar sesión en el router; no se cambió nada en él
  4  la operación falló después de cambiar el router: se conserva la copia de seguridad de la
     configuración (se muestra su ruta)
  5  actualizado, pero ninguna contraseña demuestra que el router recuperó su configuración:
     se conserva la copia de seguridad
  6  la imagen del firmware de este programa falta o está dañada
  7  no se encontró ningún router: este PC no tiene puerta de enlace predeterminada (indique una con --router)
  8  otra ejecución de este programa está cambiando un router desde este PC
  9  una copia de seguridad de la configuración de este router sigue pendiente (restáurela, o use
     --new-backup)

La contraseña nunca se da en la línea de comandos: --password-file ARCHIVO (su primera línea; solo
usted debe poder leer el archivo), si no la entrada estándar cuando no es un terminal, si no se pide
en el terminal sin mostrarla. Una línea vacía es una contraseña vacía.
</translation>
    </message>
    <message>
        <source>Upgrades the firmware of a Norvo WRX-270 router wired to this PC, over the router&apos;s web interface.

Also takes Qt&apos;s own options, such as -platform NAME, -style NAME, -stylesheet FILE, -geometry WxH+X+Y, -display HOST:N and -reverse.</source>
        <translation>Actualiza el firmware de un router Norvo WRX-270 conectado por cable a este PC, a través de la interfaz web del router.

También acepta las opciones propias de Qt, como -platform NAME, -style NAME, -stylesheet FILE, -geometry WxH+X+Y, -display HOST:N y -reverse.</translation>
    </message>
    <message>
        <source>Displays this help and exits.</source>
        <translation>Muestra esta ayuda y termina.</translation>
    </message>
    <message>
        <source>Displays the program&apos;s name and version and exits.</source>
        <translation>Muestra el nombre y la versión del programa y termina.</translation>
    </message>
    <message>
        <source>Let a build without a real firmware image send and save its placeholder image. Only for simulated routers (the demo, the end-to-end tests, the benchmark): never for a real router.</source>
        <translation>Permite que una compilación sin imagen de firmware real envíe y guarde su imagen de marcador. Solo para routers simulados (la demostración, las pruebas de extremo a extremo, la medición de rendimiento): nunca para un router real.</translation>
    </message>
    <message>
        <source>Upgrade the router&apos;s firmware without the window: save its settings, upgrade, restore the settings, verify.</source>
        <translation>Actualiza el firmware del router sin la ventana: guarda su configuración, actualiza, restaura la configuración y verifica.</translation>
    </message>
    <message>
        <source>Log in to the router and print its firmware version.</source>
        <translation>Inicia sesión en el router y muestra su versión de firmware.</translation>
    </message>
    <message>
        <source>Restore the router&apos;s settings from FILE and restart it.</source>
        <translation>Restaura la configuración del router desde FILE y lo reinicia.</translation>
    </message>
    <message>
        <source>The router&apos;s address (IPv4 address or host name, optionally :port) instead of the default gateway; kept while the router restarts.</source>
        <translation>La dirección del router (dirección IPv4 o nombre de host, opcionalmente con :puerto) en lugar de la puerta de enlace predeterminada; se mantiene mientras el router se reinicia.</translation>
    </message>
    <message>
        <source>Read the router&apos;s password from the first line of FILE (readable by you alone).</source>
        <translation>Lee la contraseña del router de la primera línea de FILE (legible solo por usted).</translation>
    </message>
    <message>
        <source>Print only the outcome.</source>
        <translation>Muestra solo el resultado.</translation>
    </message>
    <message>
        <source>Upgrade also when a settings backup of this router from an earlier run is still pending.</source>
        <translation>Actualiza aunque siga pendiente una copia de seguridad de la configuración de este router de una ejecución anterior.</translation>
    </message>
    <message>
        <source>Unexpected argument &apos;%1&apos;.</source>
        <translation>Argumento inesperado &apos;%1&apos;.</translation>
    </message>
    <message>
        <source>Only one of --express, --check and --restore at a time.</source>
        <translation>Solo una de --express, --check y --restore a la vez.</translation>
    </message>
    <message>
        <source>&apos;--%1&apos; given more than once.</source>
        <translation>&apos;--%1&apos; indicado más de una vez.</translation>
    </message>
    <message>
        <source>&apos;--%1&apos; goes with --express, --check or --restore.</source>
        <translation>&apos;--%1&apos; se usa con --express, --check o --restore.</translation>
    </message>
    <message>
        <source>&apos;--new-backup&apos; goes with --express only.</source>
        <translation>&apos;--new-backup&apos; solo se usa con --express.</translation>
    </message>
    <message>
        <source>&apos;--restore&apos; needs a file.</source>
        <translation>&apos;--restore&apos; necesita un archivo.</translation>
    </message>
    <message>
        <source>&apos;%1&apos; is no router address: give an IPv4 address or a host name, optionally with :port (1-65535).</source>
        <translation>&apos;%1&apos; no es una dirección de router: indique una dirección IPv4 o un nombre de host, opcionalmente con :puerto (1-65535).</translation>
    </message>
    <message>
        <source>&apos;--password-file&apos; needs a file.</source>
        <translation>&apos;--password-file&apos; necesita un archivo.</translation>
    </message>
    <message>
        <source>the window system &quot;%1&quot; could not be started</source>
        <translation>no se pudo iniciar el sistema de ventanas &quot;%1&quot;</translation>
    </message>
    <message>
        <source>neither DISPLAY nor WAYLAND_DISPLAY is set</source>
        <translation>no está definido ni DISPLAY ni WAYLAND_DISPLAY</translation>
    </message>
    <message>
        <source>none could be reached through %1</source>
        <translation>no se pudo llegar a ninguna a través de %1</translation>
    </message>
    <message>
        <source> or </source>
        <translation> o </translation>
    </message>
    <message>
        <source>%1: no display to show the window on (%2); start it from a desktop session.</source>
        <translation>%1: no hay pantalla donde mostrar la ventana (%2); inícielo desde una sesión de escritorio.</translation>
    </message>
</context>
<context>
    <name>ShownText</name>
    <message>
        <source>Saving Router Settings...</source>
        <translation>Guardando la configuración del router...</translation>
    </message>
    <message>
        <source>Uploading Router Settings...</source>
        <translation>Enviando la configuración del router...</translation>
    </message>
    <message>
        <source>Finalizing Router Settings Upload...</source>
        <translation>Finalizando el envío de la configuración del router...</translation>
    </message>
    <message>
        <source>Upgrading Firmware...</source>
        <translation>Actualizando el firmware...</translation>
    </message>
    <message>
        <source>Finalizing Firmware Upgrade...</source>
        <translation>Finalizando la actualización del firmware...</translation>
    </message>
    <message>
        <source>Restarting Router...</source>
        <translation>Reiniciando el router...</translation>
    </message>
    <message>
        <source>The router has finished restarting...</source>
        <translation>El router ha terminado de reiniciarse...</translation>
    </message>
    <message>
        <source>Contacting the router...</source>
        <translation>Contactando con el router...</translation>
    </message>
    <message>
        <source>Retrieving default gateway...</source>
        <translation>Obteniendo la puerta de enlace predeterminada...</translation>
    </message>
    <message>
        <source>Please wait while the router writes the new firmware. Do not turn it off...</source>
        <translation>Espere mientras el router escribe el nuevo firmware. No lo apague...</translation>
    </message>
    <message>
        <source>There is a problem with the firmware in this installer. Please try downloading it again.</source>
        <translation>Hay un problema con el firmware de este instalador. Vuelva a descargarlo.</translation>
    </message>
    <message>
        <source>Cannot log in to the router. Please check the wiring, retype the password if needed, then click the Next button.</source>
        <translation>No se puede iniciar sesión en el router. Compruebe el cableado, vuelva a escribir la contraseña si es necesario y haga clic en Siguiente.</translation>
    </message>
    <message>
        <source>The router did not confirm that it received the new firmware. It may still be writing it: do not turn the router off or unplug it for the next few minutes.</source>
        <translation>El router no ha confirmado que recibió el nuevo firmware. Puede que aún lo esté escribiendo: no apague ni desenchufe el router durante los próximos minutos.</translation>
    </message>
    <message>
        <source>There was an error with the upgrade process.</source>
        <translation>Se produjo un error durante la actualización.</translation>
    </message>
    <message>
        <source>The firmware version does not match.</source>
        <translation>La versión del firmware no coincide.</translation>
    </message>
    <message>
        <source>Could not connect to router and/or determine firmware version.</source>
        <translation>No se pudo conectar con el router o determinar la versión del firmware.</translation>
    </message>
    <message>
        <source>This router has firmware version 3.0.</source>
        <translation>Este router tiene la versión de firmware 3.0.</translation>
    </message>
    <message>
        <source>Error logging into router.</source>
        <translation>Error al iniciar sesión en el router.</translation>
    </message>
    <message>
        <source>Congratulations! You have successfully upgraded the firmware on your router.</source>
        <translation>¡Enhorabuena! El firmware de su router se ha actualizado correctamente.</translation>
    </message>
    <message>
        <source>Congratulations! This router now contains the most current firmware.</source>
        <translation>¡Enhorabuena! Este router tiene ahora el firmware más reciente.</translation>
    </message>
    <message>
        <source>You may close this installer and try running it again or use the web interface of your router to perform the upgrade.</source>
        <translation>Puede cerrar este instalador y volver a ejecutarlo, o realizar la actualización desde la interfaz web de su router.</translation>
    </message>
    <message>
        <source>It cannot be updated automatically. Go to the following website and update the firmware manually.</source>
        <translation>No se puede actualizar automáticamente. Vaya al siguiente sitio web y actualice el firmware manualmente.</translation>
    </message>
    <message>
        <source>The router did not accept the password. Type the router&apos;s current admin password to restore the settings:</source>
        <translation>El router no ha aceptado la contraseña. Escriba la contraseña de administrador actual del router para restaurar la configuración:</translation>
    </message>
    <message>
        <source>Cannot log in to the router, so the settings from &quot;%1&quot; were not sent. Please check the wiring and the password, then click Restore Settings again.</source>
        <translation>No se puede iniciar sesión en el router, así que no se envió la configuración de &quot;%1&quot;. Compruebe el cableado y la contraseña y vuelva a hacer clic en Restaurar configuración.</translation>
    </message>
    <message>
        <source>The router did not confirm that it took the settings from &quot;%1&quot;. The file is kept: check the wiring, then click Restore Settings again.</source>
        <translation>El router no ha confirmado que aplicó la configuración de &quot;%1&quot;. El archivo se conserva: compruebe el cableado y vuelva a hacer clic en Restaurar configuración.</translation>
    </message>
    <message>
        <source>&quot;%1&quot; holds your router settings from before an upgrade that did not finish. Saving now would replace them with the router&apos;s current settings.

Replace the file anyway?</source>
        <translation>&quot;%1&quot; contiene la configuración de su router de antes de una actualización que no terminó. Guardar ahora la sustituiría por la configuración actual del router.

¿Sustituir el archivo de todos modos?</translation>
    </message>
    <message>
        <source>An earlier upgrade did not finish. Your router settings from before it are saved in &quot;%1&quot;.

Open the Restore Settings page to put them back on the router?</source>
        <translation>Una actualización anterior no terminó. La configuración de su router de antes está guardada en &quot;%1&quot;.

¿Abrir la página Restaurar configuración para devolverla al router?</translation>
    </message>
    <message>
        <source>The settings backup could not be noted in the folder &quot;%1&quot;, so it could not be offered again after a failure. The router has not been changed. Make sure you can write to that folder, then try again.</source>
        <translation>No se pudo anotar la copia de seguridad de la configuración en la carpeta &quot;%1&quot;, así que no podría ofrecerse de nuevo tras un fallo. El router no se ha modificado. Asegúrese de que puede escribir en esa carpeta y vuelva a intentarlo.</translation>
    </message>
    <message>
        <source>This installer carries a placeholder image, not firmware for a router.</source>
        <translation>Este instalador contiene una imagen de marcador, no un firmware para un router.</translation>
    </message>
    <message>
        <source>The firmware image is missing from this installer.</source>
        <translation>Falta la imagen del firmware en este instalador.</translation>
    </message>
    <message>
        <source>The firmware image in this installer is damaged.</source>
        <translation>La imagen del firmware de este instalador está dañada.</translation>
    </message>
    <message>
        <source>The firmware file changed on disk before it was sent.</source>
        <translation>El archivo de firmware cambió en el disco antes de enviarse.</translation>
    </message>
    <message>
        <source>The router sent empty settings.</source>
        <translation>El router envió una configuración vacía.</translation>
    </message>
    <message>
        <source>Cannot open file &quot;%1&quot;.</source>
        <translation>No se puede abrir el archivo &quot;%1&quot;.</translation>
    </message>
    <message>
        <source>Unknown error</source>
        <translation>Error desconocido</translation>
    </message>
    <message>
        <source>Not Connected</source>
        <translation>No conectado</translation>
    </message>
    <message>
        <source>Connection Closed Gracefully.</source>
        <translation>El otro extremo cerró la conexión.</translation>
    </message>
    <message>
        <source>Response body larger than %1 bytes.</source>
        <translation>Cuerpo de la respuesta mayor de %1 bytes.</translation>
    </message>
    <message>
        <source>Response header larger than %1 bytes.</source>
        <translation>Cabecera de la respuesta mayor de %1 bytes.</translation>
    </message>
    <message>
        <source>Socket Error # %1</source>
        <translation>Error de socket n.º %1</translation>
    </message>
    <message>
        <source>Connection refused.</source>
        <translation>Conexión rechazada.</translation>
    </message>
    <message>
        <source>Connection timed out.</source>
        <translation>Se agotó el tiempo de conexión.</translation>
    </message>
    <message>
        <source>Connection reset by peer.</source>
        <translation>El otro extremo restableció la conexión.</translation>
    </message>
    <message>
        <source>Network is down.</source>
        <translation>La red no está disponible.</translation>
    </message>
    <message>
        <source>Network is unreachable.</source>
        <translation>La red es inaccesible.</translation>
    </message>
    <message>
        <source>No route to host.</source>
        <translation>No hay ruta al host.</translation>
    </message>
    <message>
        <source>Host is down.</source>
        <translation>El host no está disponible.</translation>
    </message>
    <message>
        <source>Host not found.</source>
        <translation>No se encontró el host.</translation>
    </message>
    <message>
        <source>Software caused connection abort.</source>
        <translation>Conexión interrumpida por el software.</translation>
    </message>
    <message>
        <source>Cannot assign requested address.</source>
        <translation>No se puede asignar la dirección solicitada.</translation>
    </message>
    <message>
        <source>Cannot log in to the router. Please check the wiring and the password, then run the program again.</source>
        <translation>No se puede iniciar sesión en el router. Compruebe el cableado y la contraseña y vuelva a ejecutar el programa.</translation>
    </message>
    <message>
        <source>No router found: this PC has no default gateway. Check the cable to the router, or name the router with --router.</source>
        <translation>No se encontró ningún router: este PC no tiene puerta de enlace predeterminada. Compruebe el cable al router o indique el router con --router.</translation>
    </message>
    <message>
        <source>Another run of this program is changing a router from this PC. Try again when it has finished.</source>
        <translation>Otra ejecución de este programa está cambiando un router desde este PC. Vuelva a intentarlo cuando haya terminado.</translation>
    </message>
    <message>
        <source>router not recorded</source>
        <translation>router no anotado</translation>
    </message>
    <message>
        <source>router %1</source>
        <translation>router %1</translation>
    </message>
    <message>
        <source>A settings backup from an earlier upgrade is pending: %1 (%2%3). Restore it with --restore %1.</source>
        <translation>Hay pendiente una copia de seguridad de la configuración de una actualización anterior: %1 (%2%3). Restáurela con --restore %1.</translation>
    </message>
    <message>
        <source>A settings backup of this router from an earlier upgrade is still pending: %1. Restore it with --restore %1, or upgrade anyway with --new-backup.</source>
        <translation>Sigue pendiente una copia de seguridad de la configuración de este router de una actualización anterior: %1. Restáurela con --restore %1, o actualice de todos modos con --new-backup.</translation>
    </message>
    <message>
        <source>Unknown error.</source>
        <translation>Error desconocido.</translation>
    </message>
    <message>
        <source>The run failed.</source>
        <translation>La operación falló.</translation>
    </message>
    <message>
        <source>Router firmware version: %1</source>
        <translation>Versión de firmware del router: %1</translation>
    </message>
    <message>
        <source>The router settings from &quot;%1&quot; are restored.</source>
        <translation>La configuración del router de &quot;%1&quot; está restaurada.</translation>
    </message>
    <message>
        <source>Settings backup kept: %1</source>
        <translation>Copia de seguridad de la configuración conservada: %1</translation>
    </message>
    <message>
        <source>%1 refused: the router is being changed; the run goes on.</source>
        <translation>%1 rechazado: el router se está modificando; la operación continúa.</translation>
    </message>
    <message>
        <source>%1: ending now; nothing on the router has changed.</source>
        <translation>%1: terminando ahora; no ha cambiado nada en el router.</translation>
    </message>
</context>
<context>
    <name>TfrmMain</name>
    <message>
        <source>The router is being upgraded. Closing now could leave it without its settings. Please wait until the upgrade has finished.</source>
        <translation>El router se está actualizando. Si cierra ahora, podría quedarse sin su configuración. Espere a que termine la actualización.</translation>
    </message>
    <message>
        <source>Another upgrade is running on this PC. Wait for it to finish, then try again.</source>
        <translation>Hay otra actualización en curso en este PC. Espere a que termine y vuelva a intentarlo.</translation>
    </message>
    <message>
        <source>&amp;Save Settings</source>
        <translation>&amp;Guardar configuración</translation>
    </message>
    <message>
        <source>&amp;Restore Settings</source>
        <translation>&amp;Restaurar configuración</translation>
    </message>
    <message>
        <source>&amp;Previous</source>
        <translation>&amp;Anterior</translation>
    </message>
    <message>
        <source>&amp;Next</source>
        <translation>&amp;Siguiente</translation>
    </message>
    <message>
        <source>&amp;Cancel</source>
        <translation>&amp;Cancelar</translation>
    </message>
    <message>
        <source>GWS File (*.gws)|*.gws|All Files (*.*)|*.*</source>
        <translation>Archivo GWS (*.gws)|*.gws|Todos los archivos (*.*)|*.*</translation>
    </message>
    <message>
        <source>Binary Files (*.bin)|*.bin|All Files (*.*)|*.*</source>
        <translation>Archivos binarios (*.bin)|*.bin|Todos los archivos (*.*)|*.*</translation>
    </message>
    <message>
        <source>Admin Password :</source>
        <translation>Contraseña de administrador:</translation>
    </message>
    <message>
        <source>Details of this run for support:
</source>
        <translation>Detalles de esta ejecución para el soporte técnico:
</translation>
    </message>
    <message>
        <source>&amp;Close</source>
        <translation>C&amp;errar</translation>
    </message>
    <message>
        <source>Your router settings from before the upgrade are saved in &quot;%1&quot;. Click the button to put them back on the router:</source>
        <translation>La configuración de su router de antes de la actualización está guardada en &quot;%1&quot;. Haga clic en el botón para devolverla al router:</translation>
    </message>
    <message>
        <source>Your router settings from before the upgrade are kept in &quot;%1&quot;. If your router has lost its settings, click the button to put them back:</source>
        <translation>La configuración de su router de antes de la actualización se conserva en &quot;%1&quot;. Si su router ha perdido su configuración, haga clic en el botón para devolverla:</translation>
    </message>
    <message>
        <source>The firmware file has been saved.</source>
        <translation>Se ha guardado el archivo de firmware.</translation>
    </message>
    <message>
        <source>The firmware file could not be saved.
</source>
        <translation>No se pudo guardar el archivo de firmware.
</translation>
    </message>
    <message>
        <source>If this router requires a password. Please enter the password now.</source>
        <translation>Si este router requiere contraseña, escríbala ahora.</translation>
    </message>
</context>
<context>
    <name>frmMain</name>
    <message>
        <source>Norvo Firmware Upgrade</source>
        <translation>Actualización de firmware Norvo</translation>
    </message>
    <message>
        <source>Router Model : </source>
        <translation>Modelo de router: </translation>
    </message>
    <message>
        <source>Firmware Upgrade : Version </source>
        <translation>Actualización de firmware: versión </translation>
    </message>
    <message>
        <source>Upgrade Type</source>
        <translation>Tipo de actualización</translation>
    </message>
    <message>
        <source>Admin Password :</source>
        <translation>Contraseña de administrador:</translation>
    </message>
    <message>
        <source>To upgrade the firmware, your PC must have a wired connection to one of the LAN ports on the router.</source>
        <translation>Para actualizar el firmware, su PC debe estar conectado por cable a uno de los puertos LAN del router.</translation>
    </message>
    <message>
        <source> Check this box if you have a wired connection to the router.</source>
        <translation> Marque esta casilla si su PC está conectado al router por cable.</translation>
    </message>
    <message>
        <source>Click the Next button to continue.</source>
        <translation>Haga clic en Siguiente para continuar.</translation>
    </message>
    <message>
        <source>Status</source>
        <translation>Estado</translation>
    </message>
    <message>
        <source>Status...</source>
        <translation>Estado...</translation>
    </message>
    <message>
        <source>Please wait while your Norvo router is being upgraded.  It may take several minutes to upgrade the device firmware and restore the original router settings.</source>
        <translation>Espere mientras se actualiza su router Norvo.  Actualizar el firmware del dispositivo y restaurar la configuración original del router puede tardar varios minutos.</translation>
    </message>
    <message>
        <source>Configuration</source>
        <translation>Configuración</translation>
    </message>
    <message>
        <source>Router IP Address (Default Gateway) :</source>
        <translation>Dirección IP del router (puerta de enlace predeterminada):</translation>
    </message>
    <message>
        <source>Port :</source>
        <translation>Puerto:</translation>
    </message>
    <message>
        <source>Username :</source>
        <translation>Nombre de usuario:</translation>
    </message>
    <message>
        <source>Password :</source>
        <translation>Contraseña:</translation>
    </message>
    <message>
        <source>Current Firmware Version :</source>
        <translation>Versión de firmware actual:</translation>
    </message>
    <message>
        <source>NOTE: Check firmware version to continue</source>
        <translation>NOTA: compruebe la versión del firmware para continuar</translation>
    </message>
    <message>
        <source>Check Firmware Version</source>
        <translation>Comprobar versión de firmware</translation>
    </message>
    <message>
        <source>Save Settings</source>
        <translation>Guardar configuración</translation>
    </message>
    <message>
        <source>You may use this form to save your current router settings before the firmware upgrade.</source>
        <translation>Puede usar este formulario para guardar la configuración actual de su router antes de actualizar el firmware.</translation>
    </message>
    <message>
        <source>Router Settings File :</source>
        <translation>Archivo de configuración del router:</translation>
    </message>
    <message>
        <source>&amp;Save Settings</source>
        <translation>&amp;Guardar configuración</translation>
    </message>
    <message>
        <source>NOTE: Clicking the Next button will begin the firmware upgrade of your router.</source>
        <translation>NOTA: al hacer clic en Siguiente comenzará la actualización del firmware de su router.</translation>
    </message>
    <message>
        <source>Please close all other applications to ensure data is not lost while the firmware upgrade application runs.</source>
        <translation>Cierre todas las demás aplicaciones para no perder datos mientras se ejecuta la actualización del firmware.</translation>
    </message>
    <message>
        <source>Output</source>
        <translation>Salida</translation>
    </message>
    <message>
        <source>Restore Settings</source>
        <translation>Restaurar configuración</translation>
    </message>
    <message>
        <source>You may use this form to restore a router settings file you may have previously saved.</source>
        <translation>Puede usar este formulario para restaurar un archivo de configuración del router guardado anteriormente.</translation>
    </message>
    <message>
        <source>&amp;Restore Settings</source>
        <translation>&amp;Restaurar configuración</translation>
    </message>
    <message>
        <source>Outcome</source>
        <translation>Resultado</translation>
    </message>
    <message>
        <source>Your router settings are saved in the file named here.</source>
        <translation>La configuración de su router está guardada en el archivo indicado aquí.</translation>
    </message>
    <message>
        <source>Details of this run for support:</source>
        <translation>Detalles de esta ejecución para el soporte técnico:</translation>
    </message>
    <message>
        <source>Click the button to save the firmware file to your computer:</source>
        <translation>Haga clic en el botón para guardar el archivo de firmware en su equipo:</translation>
    </message>
    <message>
        <source>Save Firmware</source>
        <translation>Guardar firmware</translation>
    </message>
    <message>
        <source>Show Tabs</source>
        <translation>Mostrar pestañas</translation>
    </message>
    <message>
        <source>Test</source>
        <translation>Prueba</translation>
    </message>
    <message>
        <source>&amp;Previous</source>
        <translation>&amp;Anterior</translation>
    </message>
    <message>
        <source>&amp;Next</source>
        <translation>&amp;Siguiente</translation>
    </message>
    <message>
        <source>&amp;Cancel</source>
        <translation>&amp;Cancelar</translation>
    </message>
</context>
</TS>
