#include "lang/TextSlots.h"

#include <algorithm>
#include <iostream>

namespace dravinor::lang {

namespace {

// Capacities count the terminating zero. The connection-state slot holds one
// more than the rest of its group would suggest, so that its own built-in
// "brak sterownika" (15 characters) fits whole.
constexpr SlotDefinition slotTable[] = {
    {40000, 399, "Wybierz rodzaj sondy lambda"},
    {40001, 399, "Ustaw wartość średnią pomiędzy sondą ubogą a bogatą"},
    {40002, 399, "Zadaj dolny czas trwania emulacji sondy lambda"},
    {40003, 399, "Zadaj górny czas trwania emulacji sondy lambda"},
    {40004, 399, "Wybierz typ czujnika położenia przepustnicy"},
    {40005, 399, "Ustaw wartość graniczną czujnika TPS pomiędzy wolnymi a wysokimi obrotami"},
    {40006, 399, "Ustaw próg obrotów dla przejścia z benzyny na gaz"},
    {40007, 399, "Wybierz tryb przełączenia B-G przy wzrastaniu lub opadaniu obrotów"},
    {40008, 399, "Ustaw wartość spadku obrotów dla przełączenia przy obrotach malejących"},
    {40009, 399, "Ustaw opóżnienie odłączenia wtryskiwaczy benzynowych dla przejścia B-G"},
    {40010, 399, "Ustaw próg obrotów przy którym nastąpi przejście na benzynę"},
    {40011, 399, "Ustaw minimalną temperaturę dla przełączenia B/G"},
    {40012, 399, "Wybierz rodzaj układu zapłonowego tak aby obroty w programie były zgodne z obrotami rzeczywistymi"},
    {40013, 399, "Ustaw minimalne otwarcie silnika krokowego na wysokich obrotach"},
    {40014, 399, "Ustaw maksymalne otwarcie silnika krokowego na wysokich obrotach"},
    {40015, 399, "Ustaw środkową pozycję silnika krokowego na wysokich obrotach"},
    {40016, 399, "Ustaw prędkość pracy attuatora na wysokich obrotach"},
    {40017, 399, "Ustaw minimalne otwarcie silnika krokowego na niskich obrotach"},
    {40018, 399, "Ustaw maksymalne otwarcie silnika krokowego na niskich obrotach"},
    {40019, 399, "Ustaw środkową pozycję silnika krokowego na niskich obrotach"},
    {40020, 399, "Ustaw prędkość pracy attuatora na wysokich obrotach"},
    {40021, 399, "Podaj liczbę kroków dla spoczynku attuatora podczas hamowania silnikiem"},
    {40022, 399, "Obroty silnika dla wyzwolenia pracy attuatora po hamowaniu silnikiem"},
    {40023, 399,
     "Zmiana zakresu na PONIŻEJ TPS-u następuje wtedy gdy TPS spadnie poniżej (PROGU TPSu - BEZWLADNOŚĆ TPS-u), "
     "funkcja ta eliminuje drgania TPS-u, można ją wyłączyć ustawiając 0"},
    {40024, 399, "Czas braku reakcji na sondę po uruchomieniu silnika w sekundach"},
    {40025, 399, "Ustaw napięcie dodane do wartości TPS-u w momencie nagłego przyspieszenia"},
    {40026, 399, "Ilość kroków dodawanych przy gwałtownym przyspieszeniu dla wzbogacenia mieszanki"},
    {40027, 399, "Zwiększaj wartość do momentu wyeliminowania zakłóceń (szpilek) w odczycie obrotów"},
    {40028, 399, "Wybierz sposób w jaki ma być emulowana sonda lambda"},
    {40029, 399, "Wybierz tryb pracy sterownika: jazda ekonomiczna lub dynamiczna"},
    {40030, 399,
     "Wybierz typ sensora rezerwy ( 20 Kohm - standard Tomasetto; 90 Ohm - standard BRC lub wskazanie punktowe )"},
    {40031, 399,
     "Włącz jeśli chcesz wymusić zaaplikowanie dodatkowej dawki gazu w momencie gwałtownego przyspieszenia"},
    {40032, 399,
     "W tym trybie silnik krokowy pozostaje w ostatniej pozycji jeszcze przez okres 3 sekund od momentu spadku TPS-u "
     "(szybka zmiana biegów)"},
    {40033, 399,
     "Po przekroczeniu progu TPS-u attuator otwiera się do pozycji startowej poniżej TPS-u, następnie podąża za "
     "wskazaniem sondy lambda"},
    {40034, 399,
     "Po przekroczeniu progu TPS-u attuator otwiera się max powyzej TPS, następnie do pozycji startowej powyżej TPS-u "
     "i podąża za wskazaniem sondy lambda"},
    {40035, 399,
     "Po przekroczeniu progu TPS-u attuator otwiera się do pozycji max powyżej TPS-u, następnie podąża za sondą "
     "lambda"},
    {40100, 29, "Benzyna"},
    {40101, 29, "Benzyna/Automat"},
    {40102, 29, "Gaz"},
    {40103, 39, "Tps jest rosnący"},
    {40104, 39, "Tps jest malejący"},
    {40105, 16, "brak sterownika"},
    {40107, 99, "Nie moge otworzyc portu"},
    {40108, 99, "Zły sterownik"},
    {40109, 99, "Port otwarty"},
    {40110, 99, "uwaga, przejście na autoadaptację powoduje reset parametrów, kontynuować ?"},
    {40111, 99, "Nie mogę zapisać parametru "},
    {40112, 99, "Czy napewno wyjść z autoadaptacji ?"},
    {40200, 199, "Uwaga próg sondy lambda nie jest w zakresie 0-1 v. kontynuować ?"},
    {40201, 199, "Uwaga próg sondy lambda nie mieści się w zakresie 0.8-1.6 v. kontynuować ?"},
    {40202, 199, "Próg tps-u ustawiony za nisko,  kontynuowac ?"},
    {40203, 199, "Próg tps-u ustawiony za wysoko, kontynuowac ?"},
    {40204, 199, "Za niski próg przełączenia na RPM, kontynuować ?"},
    {40205, 199, "Za wysoki próg przełączenia na RPM, kontynuować ?"},
    {40206, 199, "Za małe dozwolone max. RPM., kontynuować ?"},
    {40207, 199, "Pozycja startowa silnika krokowego jest poza zakresem, kontynuować ?"},
    {40208, 199, "Pozycja startowa silnika krokowego jest poza zakresem, kontynuować ?"},
    {40209, 199, "Pozycja startowa silnika krokowego jest poza zakresem, kontynuować ?"},
    {40210, 199, "Pozycja startowa silnika krokowego jest poza zakresem, kontynuować ?"},
    {40211, 199, "Duża szybkosć silnika krokowego powyżej TPS-u, kontynuować ?"},
    {40212, 199, "Mała szybkosć silnika krokowego powyżej TPS-u, kontynuować ?"},
    {40213, 199, "Duża szybkosć silnika krokowego poniżej TPS-u, kontynuować ?"},
    {40214, 199, "Mała szybkosć silnika krokowego poniżej TPS-u, kontynuować ?"},
    {40215, 199, "Za mała wartość RPM dla CUTOFF-a, kontynuować ?"},
    {40216, 199, "Za mała wartość otwarcia silnika dla cutoff-a, kontynuować ?"},
    {40217, 199, "Za duże otwarcie silnika dla cutoff-a, kontynuować ?"},
    {40218, 199, "Bezwładność TPS-u ustawiona na 0, kontynuować ?"},
    {40219, 199, "Duża bezwładność TPS-u, kontynuować ?"},
    {40220, 199, "Bardzo długi czas zimnej lambdy, kontynuować ?"},
    // The About box.
    {50001, 199, "Program serwisowy sterownika mieszalnikowego LPG z sondą lambda"},
    {50002, 99, "Wersja programu: "},
    {50003, 99, "Licencja: "},
    {50004, 99, "Podłączony sterownik: "},
    {50005, 99, "Brak podłączonego sterownika"},
    {50006, 199, "Ze sterownikami rozmawia tak jak wersja %1 programu serwisowego (stąd „ver %1” w tytule okna)"},
    // The write journal and its undo.
    {slot::journal::windowTitle, 99, "Dziennik zmian"},
    {slot::journal::undoButton, 99, "Cofnij ostatni zapis"},
    {slot::journal::firstHeader, 59, "Czas"},
    {50104, 59, "Port"},
    {50105, 59, "Wersja"},
    {50106, 59, "Pole"},
    {50107, 59, "Stara wartość"},
    {50108, 59, "Nowa wartość"},
    {50109, 59, "Wynik"},
    {slot::journal::acknowledged, 59, "potwierdzony"},
    {slot::journal::notAcknowledged, 59, "brak potwierdzenia"},
    {slot::journal::undoQuestion, 199, "Zapisać w sterowniku poprzednią wartość pola %1: %2 (teraz %3) ?"},
    {slot::journal::undoNotConnected, 199, "Brak połączenia ze sterownikiem - nie można cofnąć zapisu."},
    {slot::journal::undoOtherController, 199,
     "Ostatni zapis w dzienniku dotyczy innego sterownika (port %1, wersja %2) - nie można go cofnąć."},
    {slot::journal::nothingToUndo, 199, "W dzienniku nie ma zapisu, który można cofnąć."},
    {slot::journal::undoFailed, 199, "Sterownik nie potwierdził zapisu."},
    {slot::journal::writeAllKind, 59, "Zapisz Parametry"},
    {slot::journal::resetKind, 59, "Reset Parametrów"},
    {slot::journal::adaptationResetKind, 59, "Reset przed autoadaptacją"},
    {slot::journal::fileKind, 59, "Odczyt z pliku"},
    // Live recording and replay.
    {slot::recording::recordingTo, 99, "Nagrywanie do pliku:"},
    {slot::recording::recordingFinished, 99, "Nagrywanie zakończone, zapisano wierszy:"},
    {slot::recording::recordingWriteError, 99, "Błąd zapisu, nagrywanie zatrzymane:"},
    {slot::recording::recordingCannotCreate, 99, "Nie mogę utworzyć pliku nagrania:"},
    {slot::recording::recordingNoController, 99, "Nagrywanie zatrzymane: brak połączenia ze sterownikiem"},
    {slot::recording::replaying, 99, "Odtwarzanie:"},
    {slot::recording::replayPaused, 99, "wstrzymane (Spacja wznawia)"},
    {slot::recording::replayEnd, 99, "koniec nagrania"},
    {slot::recording::replayCannotPlay, 99, "Nie mogę odtworzyć nagrania"},
    {slot::recording::replayLine, 99, "wiersz"},
    {slot::recording::csvFilter, 99, "Pliki CSV (*.csv)"},
    // Comparing the pages with a parameter file; port problems at start-up.
    {slot::diff::title, 99, "Porównanie parametrów"},
    {slot::diff::parameterColumn, 99, "Parametr"},
    {slot::diff::pagesColumn, 99, "Na stronach"},
    {slot::diff::fileColumn, 99, "W pliku"},
    {slot::diff::loadButton, 99, "Wczytaj plik"},
    {slot::diff::closeButton, 99, "Zamknij"},
    {slot::diff::same, 199, "Parametry na stronach i w pliku są takie same."},
    {slot::diff::count, 99, "Różniących się wartości: %1"},
    {slot::portProblem::notInGroup, 299,
     "Nie można otworzyć portu %1 (%2): nie należysz do grupy %3. Polecenie, które to naprawi:"},
    {slot::portProblem::heldByOther, 299, "Port %1 (%2) zajmuje program %3. Polecenie, które to naprawi:"},
    {slot::portProblem::logInAgain, 199, "Potem wyloguj się i zaloguj ponownie."},
    {50320, 99, "Histereza przełączenia b-g (okres)"},
    {50321, 99, "Kod wyjścia emulacji"},
    {50322, 99, "Sonda lambda rosnąca (bajt flag A, bit 1)"},
    {50323, 99, "Bity 7-3 bajtu flag B (sterownika)"},
    // Values the controller did not give; the default set at start-up.
    {slot::reads::unreadReason, 299,
     "Wartości nie odczytano ze sterownika (brak poprawnej odpowiedzi), dlatego pole jej nie pokazuje. Wpisana lub "
     "wybrana tu wartość zostanie zapisana w sterowniku."},
    {slot::reads::unreadStatus, 199, "Nie odczytano %1 z 35 parametrów: %2"},
    {slot::reads::saveQuestion, 299,
     "Tych wartości nie odczytano ze sterownika; w pliku będą zamiast nich wartości domyślne lub poprzednie: %1. "
     "Zapisać plik mimo to ?"},
    {slot::reads::compareQuestion, 299,
     "Tych wartości nie odczytano ze sterownika; porównanie pokaże zamiast nich wartości domyślne lub poprzednie: %1. "
     "Porównać mimo to ?"},
    {slot::reads::writeAllQuestion, 299,
     "Tych wartości nie odczytano ze sterownika; do sterownika trafią zamiast nich wartości domyślne lub poprzednie: "
     "%1. Zapisać mimo to ?"},
    {slot::reads::defaultSetShown, 199, "strony pokazują zestaw domyślny, nie parametry samochodu"},
    {slot::reads::silentPorts, 99, "Sterownik nie odpowiada (%1)"},
    // Bulk writes and what the controller confirmed of them.
    {slot::bulkWrite::allConfirmed, 199, "Sterownik potwierdził zapis wszystkich 35 parametrów"},
    {slot::bulkWrite::allConfirmedAfterRewrites, 199,
     "Sterownik potwierdził zapis wszystkich 35 parametrów (%1 zapisano ponownie pojedynczo)"},
    {slot::bulkWrite::notConfirmed, 199,
     "Sterownik nie potwierdził zapisu %1 z 35 parametrów: %2 - może mieć teraz mieszany zestaw parametrów"},
    {slot::bulkWrite::noneConfirmed, 199, "Sterownik nie potwierdził zapisu żadnego z 35 parametrów"},
    {slot::flagBytes::flagByteA, 99, "bajt flag A (adres 32)"},
    {slot::flagBytes::flagByteB, 99, "bajt flag B (adres 30)"},
    // How the journal marks entries towards undo.
    {slot::journal::unchangedMark, 99, "bez zmiany wartości - pomijany przy cofaniu"},
    {slot::journal::undoWriteMark, 99, "cofnięcie zapisu"},
    {slot::journal::takenBackMark, 99, "cofnięty"},
    {slot::journal::nextUndoMark, 99, "następny do cofnięcia"},
    // Why the auto-adaptation does not start.
    {51102, 199, "Nie można rozpocząć autoadaptacji: brak połączenia ze sterownikiem."},
    {51103, 299,
     "Nie można rozpocząć autoadaptacji: nie odczytano %1 z 35 parametrów sterownika. Reset zachowuje "
     "ustawienie czujnika temperatury odczytane ze sterownika - proszę ponownie odczytać parametry."},
    // Journal files that cannot be read, undo on another set, parameter files'
    // status, ports that are not serial ports.
    {slot::journal::unreadableFile, 299,
     "Nie można odczytać pliku dziennika %1 (%2); pokazano wpisy, które dało się odczytać."},
    {slot::journal::isFolder, 99, "to folder, a nie plik"},
    {slot::journal::notRegularFile, 99, "to nie jest zwykły plik"},
    {slot::journal::invalidTime, 59, "błędny czas:"},
    {slot::journal::undoOtherSet, 299,
     "Uwaga: sterownik ma teraz inny zestaw parametrów niż ten, do którego trafił ten zapis (inny samochód albo "
     "późniejsze zmiany)."},
    {slot::fileStatus::saved, 199, "Zapisano plik %1"},
    {slot::fileStatus::backupCreated, 199, "poprzednia wersja: %1"},
    {slot::fileStatus::backupKept, 199, "starsza kopia %1 pozostała bez zmian"},
    {slot::fileStatus::notSaved, 199, "Nie zapisano pliku %1: %2"},
    {slot::fileStatus::cannotCreate, 199, "nie można utworzyć pliku w tym folderze"},
    {slot::fileStatus::cannotWrite, 199, "błąd zapisu"},
    {slot::fileStatus::cannotReplace, 199, "nie można zastąpić pliku"},
    {slot::fileStatus::cannotBackUp, 199, "nie można zachować poprzedniego pliku jako %1, plik pozostał bez zmian"},
    {slot::fileStatus::loaded, 199, "Wczytano plik %1"},
    {slot::fileStatus::notLoaded, 199, "Nie wczytano pliku %1: %2"},
    {slot::fileStatus::notRegularFile, 199, "to nie jest zwykły plik"},
    {slot::fileStatus::written, 199, "parametry zapisano w sterowniku"},
    {slot::portProblem::notASerialPort, 299, "%1 (%2) nie jest portem szeregowym - nic tam nie wysłano."},
    // Messages that no key reached before; the live view's first fuel word.
    {51250, 199, "\"%1\" nie jest poprawną liczbą"},
    {51251, 199, "Plik %1 jest większy niż %2 bajtów: to nie jest plik językowy"},
    {51252, 199, "Nie znaleziono pliku pomocy: %1"},
    {51253, 29, "BENZYNA"},
    {51254, 99, "Plik Parametrów KORVANT Lambda *.PAR"},
    {51255, 99, "wersja %1"},
    // Status lines after a bulk write and a file load.
    {51260, 199, "Port zniknął w trakcie zapisu: zapisano %1 z 35 parametrów"},
    {51261, 199, ", sterownik może mieć teraz mieszany zestaw parametrów"},
    {51262, 99, "Uwaga: plik ma %1 B zamiast 64 B"},
    // A recording that cannot be played, and why.
    {slot::recording::replayMissing, 199, "nie ma takiego pliku"},
    {slot::recording::replayCannotOpen, 199, "nie można otworzyć pliku (%1)"},
    {slot::recording::replayFolder, 199, "to folder, a nie plik nagrania"},
    {slot::recording::replayNotAFile, 199,
     "to nie jest zwykły plik (kolejka FIFO albo urządzenie?) - odtwarzany jest tylko plik nagrania"},
    {slot::recording::replayTooLarge, 199, "plik jest za duży jak na nagranie"},
    {slot::recording::replayCannotRead, 199, "nie można odczytać pliku (%1)"},
    {slot::recording::replayEmpty, 199, "plik jest pusty"},
    {slot::recording::replayWrongHeader, 199,
     "to nie jest nagranie danych na żywo: pierwszy wiersz nie jest nagłówkiem nagrania"},
    {slot::recording::replayNoPolls, 199, "nagranie nie zawiera żadnego odczytu"},
    {slot::recording::replayFewColumns, 199, "kolumn: %1 zamiast %2"},
    {slot::recording::replayManyColumns, 199, "więcej niż %1 kolumn"},
    {slot::recording::replayBadValue, 199, "kolumna %1 (%2): %3"},
    {slot::recording::replayTimeGoesBack, 199, "czas się cofa"},
    {slot::recording::firstReplayValueKey, 199, "to nie jest czas w sekundach z najwyżej trzema cyframi po kropce"},
    {51324, 199, "to nie jest 0 ani 1"},
    {51325, 199, "to nie jest liczba całkowita 0..255"},
    {51326, 199, "to nie jest bajt stanu 0x00..0xFF"},
    {51327, 199, "to nie jest liczba całkowita 0..65535"},
    {51328, 199, "to nie jest stała zapłonu"},
    {51329, 199, "to nie jest czas UTC w postaci 2026-12-08T07:32:05.123Z"},
    {slot::recording::replayExpectedHeader, 99, "Oczekiwany nagłówek nagrania:"},
    {slot::recording::replayFirstLine, 99, "Pierwszy wiersz pliku:"},
    // The lambda probe check's verdicts on the live page.
    {51410, 99, "za mało danych: potrzeba 5 s powyżej biegu jałowego"},
    {51411, 99, "sprawna"},
    {51412, 99, "wolna"},
    {51413, 99, "stale uboga"},
    {51414, 99, "stale bogata"},
    {51415, 99, "brak sygnału"},
    // The trace's picture or samples could not be saved.
    {51425, 199, "Nie można zapisać pliku %1"},
    // The customer's report: its dialog, then the report's own texts.
    {slot::report::dialogTitle, 99, "Raport dla klienta"},
    {slot::report::registration, 99, "Numer rejestracyjny"},
    {slot::report::makeAndModel, 99, "Marka i model"},
    {slot::report::odometer, 99, "Przebieg"},
    {slot::report::workshop, 99, "Warsztat"},
    {slot::report::includeTrace, 99, "Dołącz zamrożony obraz oscyloskopu"},
    {slot::report::savePdf, 99, "Zapisz jako PDF…"},
    {slot::report::print, 99, "Drukuj…"},
    {slot::report::close, 99, "Zamknij"},
    {slot::report::pdfFilter, 99, "Dokumenty PDF"},
    {slot::report::notSaved, 199, "Nie można zapisać raportu w pliku %1"},
    {slot::report::saved, 199, "Zapisano raport w pliku %1"},
    {slot::report::notPrinted, 199, "Nie można wydrukować raportu"},
    {slot::report::freezeFirst, 199,
     "Zamroź oscyloskop na stronie wizualizacji (menu kontekstowe), aby dołączyć jego obraz"},
    {slot::report::sheetTitle, 99, "Raport z regulacji instalacji LPG"},
    {slot::report::date, 99, "Data"},
    {slot::report::controller, 99, "Sterownik"},
    {slot::report::controllerIdentity, 99, "typ %1, wersja oprogramowania %2"},
    {slot::report::noController, 199, "niepodłączony: wartości ze stron programu, nie odczytane ze sterownika"},
    {slot::report::fromFile, 199, "niepodłączony; parametry z pliku %1"},
    {slot::report::parameters, 99, "Parametry"},
    {slot::report::parameterColumn, 99, "Parametr"},
    {slot::report::valueColumn, 99, "Wartość"},
    {slot::report::notRead, 99, "nie odczytano"},
    {slot::report::ignitionTypeNotRead, 99, "? (nie odczytano typu zapłonu)"},
    {slot::report::notReadNote, 299,
     "„nie odczytano”: sterownik nie podał tej wartości, więc raport jej nie pokazuje."},
    {slot::report::adaptationFinished, 99, "Autoadaptacja w tej sesji: zakończona"},
    {slot::report::adaptationStopped, 99, "Autoadaptacja w tej sesji: przerwana przed końcem"},
    {slot::report::firstFigure, 99, "TPS: dolny / próg / górny"},
    {51460, 99, "Sonda lambda: uboga / próg / bogata"},
    {51461, 99, "Emulacja sondy: TH / TL"},
    {51462, 99, "Silnik krokowy powyżej progu TPS: min / max / start"},
    {51463, 99, "Silnik krokowy poniżej progu TPS: min / max / start"},
    {slot::report::unacknowledged, 199, "Zapisy niepotwierdzone przez sterownik (adresy)"},
    {slot::report::doubtfulPhases, 199, "Pomiary przy zawodnym połączeniu"},
    {slot::report::trace, 99, "Obraz oscyloskopu (zamrożony)"},
    {slot::report::pageNumber, 99, "Strona %1 z %2"},
    {slot::report::signature, 99, "Podpis i pieczęć warsztatu"},
    {slot::report::notInFileNote, 299,
     "„nie odczytano”: plik jest krótszy niż pełny zestaw i nie zawiera tej wartości."},
    // The adapter unplugged, and what came back.
    {51470, 199, "Adapter portu %1 odłączony - czekam, aż wróci"},
    {51471, 99, "adapter odłączony"},
    {51472, 199, "Adapter portu %1 podłączony ponownie - ten sam sterownik, parametry odczytane na nowo"},
    {51473, 199, "Adapter portu %1 podłączony ponownie - ten sam sterownik"},
    {51474, 199, "Na %1 jest inny sterownik (%2, wcześniej %3) - nie używam go"},
    {51475, 99, "typ %1, wersja %2"},
    {51476, 199, "Adapter portu %1 wrócił, ale sterownik nie odpowiada - sprawdź przewód albo wybierz port z menu"},
    {51477, 199, "Adapter portu %1 wrócił, ale nie daje się go otworzyć - wybierz port z menu"},
    // A controller that answers without a clean identity; a read that stopped early.
    {51480, 99, "sterownik odpowiada, wersja nieznana"},
    {slot::report::identityUnknown, 199,
     "podłączony; typ i wersja nieznane (brak czystej odpowiedzi na identyfikację)"},
    {51482, 199, "Sterownik przestał odpowiadać przy adresie %1"},
    {51483, 199, "Odpowiedzi sterownika pozostały zakłócone od adresu %1"},
    {51484, 199, "Połączenie przerwane przy adresie %1"},
    {51485, 199, "Sterownik nie odpowiadał poprawnie przed odczytem"},
    {51486, 99, "o %1 dalszych parametrów nie pytano"},
    {51487, 199, "Adapter portu %1 wrócił, ale sterownik nie podał czystej identyfikacji - wybierz port z menu"},
    // Why a save was refused: the name holds no regular file.
    {slot::saveRefusal::folder, 199, "to jest folder, nie plik"},
    {slot::saveRefusal::fifo, 199, "to jest potok nazwany (FIFO), nie zwykły plik"},
    {slot::saveRefusal::characterDevice, 199, "to jest urządzenie znakowe, nie zwykły plik"},
    {slot::saveRefusal::blockDevice, 199, "to jest urządzenie blokowe, nie zwykły plik"},
    {slot::saveRefusal::socket, 199, "to jest gniazdo (socket), nie zwykły plik"},
    {slot::saveRefusal::linkLoop, 199, "dowiązania symboliczne tworzą pętlę"},
    {slot::saveRefusal::throughLink, 199, "dowiązanie do %1: %2"},
    {slot::settingsNotKept, 299, "Ustawienia programu nie będą zapamiętane w %1: %2"},
    // The controller's lambda threshold against the probe's swing (live page).
    {51530, 299,
     "Próg sterownika %1 V leży poniżej napięć sondy %2-%3 V: sterownik zawsze widzi mieszankę %4. "
     "To ustawienie do poprawienia, nie wada sondy."},
    {51531, 299,
     "Próg sterownika %1 V leży powyżej napięć sondy %2-%3 V: sterownik zawsze widzi mieszankę %4. "
     "To ustawienie do poprawienia, nie wada sondy."},
    {51532, 299,
     "Próg sterownika %1 V leży daleko od środka napięć sondy %2-%3 V (%4 V): sterownik przeważnie "
     "widzi mieszankę %5. To ustawienie do poprawienia, nie wada sondy."},
    {51533, 99, "bogatą"},
    {51534, 99, "ubogą"},
    // A lambda probe that fails during the adaptation.
    {51535, 299,
     "Sonda lambda: %1, napięcia %2-%3 V. Sprawdź sondę i jej podłączenie (zimna sonda też nie "
     "przełącza)."},
    {51536, 299,
     "Sonda lambda: %1, napięcia %2-%3 V. Próg sondy i dalsze wyniki autoadaptacji byłyby wątpliwe. "
     "Kontynuować mimo to ?"},
    {51537, 199, "Autoadaptację kontynuowano: wyniki są wątpliwe."},
    {51538, 199, "Autoadaptację przerwano: nic więcej nie zapisano w sterowniku."},
    {slot::report::failedProbe, 99, "Sonda lambda podczas autoadaptacji"},
    {slot::report::probeWentOn, 199, "%1, %2-%3 V: wyniki wątpliwe"},
    {slot::report::probeStopped, 199, "%1, %2-%3 V: autoadaptację przerwano"},
    // The controller's set kept before a bulk write, and its undo.
    {slot::backup::kept, 199, "kopia poprzednich parametrów: %1"},
    {slot::backup::setNotKnown, 199, "bez kopii poprzednich parametrów - nie zostały odczytane w całości"},
    {slot::backup::notSaved, 199, "nie zapisano kopii poprzednich parametrów %1: %2"},
    {slot::backup::ramPartlyRefreshed, 199,
     ", ale pamięć RAM odświeżono tylko dla %1 z 32 adresów - zapisz parametry ponownie"},
    {slot::backup::recentFileQuestion, 299, "Wczytać plik %1 i zapisać go w sterowniku?"},
    {slot::backup::noBackupAhead, 299,
     "Parametry sterownika nie zostały odczytane w całości - nie powstanie kopia poprzednich parametrów."},
    {slot::backup::restoreQuestion, 299, "Zapisać w sterowniku kopię parametrów sprzed zapisu „%1” z %2 (%3)?"},
    {slot::backup::backupUnreadable, 199, "Nie można odczytać kopii parametrów %1 (%2) - nie można cofnąć zapisu."},
    {slot::backup::restoreKind, 99, "Przywrócenie kopii parametrów"},
    {slot::backup::notWholeBackup, 199, "plik nie ma 64 bajtów"},
    {slot::backup::valuesChanged, 199, "Liczba zmienianych wartości: %1"},
    // The trace's kept picture: channels, time axis, heading.
    {51605, 99, "Sonda lambda [V]"},
    {51606, 99, "TPS [V]"},
    {51607, 99, "Silnik krokowy [kroki]"},
    {51608, 99, "Obroty [obr/min]"},
    {slot::traceChart::time, 99, "Czas [s]"},
    {slot::traceChart::span, 199, "Oscyloskop %1, %2 – %3 (%4 s)"},
    {slot::traceChart::spanWithoutClock, 199, "Oscyloskop (%1 s)"},
    {slot::traceChart::probe, 199, "Sonda: %1"},
    // The trace's exported samples given to a replay.
    {slot::recording::replayTraceSamples, 299,
     "to są próbki oscyloskopu zapisane z jego menu, a nie nagranie danych na żywo; nagranie, które można "
     "odtworzyć, zapisuje polecenie „Nagrywaj dane na żywo…” w menu, na stronie „Wizualizacja (F4)”"},
    {slot::numbers::decimalSeparator, 4, ","},
    {slot::numbers::volt, 19, "V"},
    {slot::numbers::second, 19, "s"},
    {slot::numbers::perSecond, 19, "/s"},
    {slot::numbers::rpm, 19, "RPM"},
    {slot::report::yes, 19, "tak"},
    {slot::report::no, 19, "nie"},
    {slot::report::measuredColumn, 99, "Zmierzono"},
    {slot::report::measuredNote, 299,
     "Wartości zmierzone przez autoadaptację. Sterownik przechowuje je z dokładnością swoich kroków: wartości "
     "zapisane podaje tabela parametrów."},
    {slot::report::technical, 99, "Załącznik techniczny: wartości sterownika, których strony nie pokazują"},
    {slot::report::fileName, 19, "raport"},
    // The car book's window.
    {slot::carBook::windowTitle, 99, "Książka serwisowa"},
    {slot::carBook::searchHint, 99, "Szukaj: numer rejestracyjny, marka lub model"},
    {slot::carBook::registrationHeader, 99, "Nr rejestracyjny"},
    {slot::carBook::makeModelHeader, 99, "Marka i model"},
    {slot::carBook::timeHeader, 99, "Data i godzina"},
    {slot::carBook::odometerHeader, 99, "Przebieg [km]"},
    {slot::carBook::controllerHeader, 99, "Sterownik"},
    {slot::carBook::readSetHeader, 99, "Odczyt"},
    {slot::carBook::endSetHeader, 99, "Zapis"},
    {slot::carBook::reportHeader, 99, "Raport"},
    {slot::carBook::adaptationHeader, 99, "Adaptacja"},
    {slot::carBook::compareButton, 99, "Porównaj ze sterownikiem"},
    {slot::carBook::writeButton, 99, "Zapisz w sterowniku"},
    {slot::carBook::openReportButton, 99, "Otwórz raport"},
    {slot::carBook::addCarButton, 99, "Dodaj samochód…"},
    {slot::carBook::connectedButton, 99, "Ten samochód jest podłączony"},
    {slot::carBook::currentCar, 199, "Podłączony samochód: %1"},
    {slot::carBook::noCurrentCar, 199, "Żaden samochód nie jest oznaczony jako podłączony"},
    {slot::carBook::endCurrentButton, 99, "Zakończ"},
    {slot::carBook::addCarTitle, 99, "Nowy samochód"},
    {slot::carBook::registrationLabel, 99, "Numer rejestracyjny:"},
    {slot::carBook::makeModelLabel, 99, "Marka i model:"},
    {slot::carBook::vinLabel, 99, "VIN:"},
    {slot::carBook::notesLabel, 99, "Uwagi:"},
    {slot::carBook::registrationRequired, 199, "Podaj numer rejestracyjny."},
    {slot::carBook::duplicateCar, 199, "Samochód o numerze %1 jest już w książce serwisowej."},
    {slot::carBook::cannotOpen, 299, "Nie można otworzyć książki serwisowej: %1"},
    {slot::carBook::whyNotAFile, 199, "w miejscu pliku %1 jest folder lub urządzenie"},
    {slot::carBook::whyReadOnly, 199, "pliku %1 nie można zapisywać (tylko do odczytu)"},
    {slot::carBook::whyDiskFull, 199, "dysk jest pełny"},
    {slot::carBook::whyNewerBook, 199, "plik %1 zapisała nowsza wersja programu; pozostawiono go bez zmian"},
    {slot::carBook::whyDamagedStuck, 199,
     "plik %1 jest uszkodzony i nie można go przenieść; pozostawiono go bez zmian"},
    {slot::carBook::whyNoFolder, 199, "nie można utworzyć folderu na plik %1"},
    {slot::carBook::whyOther, 199, "nie można otworzyć pliku %1"},
    {slot::carBook::damagedReplaced, 299,
     "Książka serwisowa %1 była uszkodzona: zachowano ją jako %2 i rozpoczęto nową, pustą."},
    {slot::carBook::notWritten, 299, "Książka serwisowa nie przyjęła zapisu: %1"},
    {slot::carBook::writeBusy, 199, "inny program zbyt długo zajmował książkę; spróbuj ponownie"},
    {slot::carBook::writeReadOnly, 199, "książki nie można zapisywać (tylko do odczytu)"},
    {slot::carBook::writeDamaged, 199, "książka jest uszkodzona"},
    {slot::carBook::writeFailed, 199, "zapis się nie udał"},
    {slot::carBook::writeNoCar, 199, "tego samochodu nie ma w książce"},
    {slot::carBook::recordedRead, 199, "Odczyt zapisano jako wizytę samochodu %1 w książce serwisowej"},
    {slot::carBook::recordedEndToday, 199, "Zapisane parametry dopisano do dzisiejszej wizyty samochodu %1"},
    {slot::carBook::recordedEndNew, 199, "Zapisane parametry dopisano jako nową wizytę samochodu %1"},
    {slot::carBook::recordedReportToday, 199, "Raport dopisano do dzisiejszej wizyty samochodu %1"},
    {slot::carBook::recordedReportNew, 199, "Raport dopisano jako nową wizytę samochodu %1"},
    {slot::carBook::notRecorded, 299, "Nie zapisano w książce serwisowej (%1): %2"},
    {slot::carBook::currentNotInBook, 199, "samochodu oznaczonego jako podłączony nie ma w książce"},
    {slot::carBook::writeQuestion, 299, "Zapisać w sterowniku parametry z wizyty %1 samochodu %2?"},
    {slot::carBook::noSet, 199, "Ta wizyta nie ma zapisanych parametrów."},
    {slot::carBook::reportNotOpened, 299, "Nie można otworzyć raportu: %1"},
    {slot::carBook::notConnected, 199, "Sterownik nie jest podłączony."},
    {slot::carBook::noReport, 199, "Ta wizyta nie ma raportu."},
    {slot::carBook::carAdded, 199, "Dodano samochód %1."},
    {slot::carBook::visitName, 199, "wizyta %1, %2"},
    {slot::carBook::noViewer, 199, "brak programu do plików PDF"},
    {slot::carBook::currentNotSaved, 199, "Nie można zapamiętać podłączonego samochodu (%1)."},
    {slot::carBook::helpButton, 99, "Pomoc"},
    {slot::carBook::visitColumn, 99, "Wizyta"},
};

std::ptrdiff_t indexOf(int key)
{
    const auto* end = std::end(slotTable);
    const auto* it =
        std::lower_bound(std::begin(slotTable), end, key, [](const SlotDefinition& row, int k) { return row.key < k; });
    return it != end && it->key == key ? it - std::begin(slotTable) : -1;
}

}  // namespace

std::span<const SlotDefinition> slotDefinitions()
{
    return slotTable;
}

std::string cutToCharacters(std::string_view utf8, std::size_t maxCharacters)
{
    std::size_t characters = 0;
    for (std::size_t i = 0; i < utf8.size(); ++i) {
        // A character starts at every byte that is not a continuation byte.
        if ((static_cast<unsigned char>(utf8[i]) & 0xC0) != 0x80) {
            if (characters == maxCharacters)
                return std::string(utf8.substr(0, i));
            ++characters;
        }
    }
    return std::string(utf8);
}

TextSlots::TextSlots()
{
    restoreBuiltIn();
}

void TextSlots::restoreBuiltIn()
{
    texts_.clear();
    for (const SlotDefinition& row : slotTable)
        texts_.emplace_back(row.builtIn);
}

bool TextSlots::has(int key) const
{
    return indexOf(key) >= 0;
}

const std::string& TextSlots::text(int key) const
{
    static const std::string none;
    const auto index = indexOf(key);
    return index >= 0 ? texts_[static_cast<std::size_t>(index)] : none;
}

bool TextSlots::set(int key, std::string_view text)
{
    const auto index = indexOf(key);
    if (index < 0)
        return false;
    const auto room = static_cast<std::size_t>(slotTable[index].capacity - 1);
    std::string kept = cutToCharacters(text, room);
    if (kept.size() < text.size())
        std::cerr << "dravinor: the text of key " << key << " is longer than its " << room
                  << " characters and was cut\n";
    texts_[static_cast<std::size_t>(index)] = std::move(kept);
    return true;
}

TextSlots& textSlots()
{
    static TextSlots slots;
    return slots;
}

}  // namespace dravinor::lang
