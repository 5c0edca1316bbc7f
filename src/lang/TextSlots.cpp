#include "TextSlots.h"

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
    {40023, 399, "Zmiana zakresu na PONIŻEJ TPS-u następuje wtedy gdy TPS spadnie poniżej (PROGU TPSu - BEZWLADNOŚĆ TPS-u), funkcja ta eliminuje drgania TPS-u, można ją wyłączyć ustawiając 0"},
    {40024, 399, "Czas braku reakcji na sondę po uruchomieniu silnika w sekundach"},
    {40025, 399, "Ustaw napięcie dodane do wartości TPS-u w momencie nagłego przyspieszenia"},
    {40026, 399, "Ilość kroków dodawanych przy gwałtownym przyspieszeniu dla wzbogacenia mieszanki"},
    {40027, 399, "Zwiększaj wartość do momentu wyeliminowania zakłóceń (szpilek) w odczycie obrotów"},
    {40028, 399, "Wybierz sposób w jaki ma być emulowana sonda lambda"},
    {40029, 399, "Wybierz tryb pracy sterownika: jazda ekonomiczna lub dynamiczna"},
    {40030, 399, "Wybierz typ sensora rezerwy ( 20 Kohm - standard Tomasetto; 90 Ohm - standard BRC lub wskazanie punktowe )"},
    {40031, 399, "Włącz jeśli chcesz wymusić zaaplikowanie dodatkowej dawki gazu w momencie gwałtownego przyspieszenia"},
    {40032, 399, "W tym trybie silnik krokowy pozostaje w ostatniej pozycji jeszcze przez okres 3 sekund od momentu spadku TPS-u (szybka zmiana biegów)"},
    {40033, 399, "Po przekroczeniu progu TPS-u attuator otwiera się do pozycji startowej poniżej TPS-u, następnie podąża za wskazaniem sondy lambda"},
    {40034, 399, "Po przekroczeniu progu TPS-u attuator otwiera się max powyzej TPS, następnie do pozycji startowej powyżej TPS-u i podąża za wskazaniem sondy lambda"},
    {40035, 399, "Po przekroczeniu progu TPS-u attuator otwiera się do pozycji max powyżej TPS-u, następnie podąża za sondą lambda"},
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
    // The write journal and its undo.
    {50101, 99, "Dziennik zmian"},
    {50102, 99, "Cofnij ostatni zapis"},
    {50103, 59, "Czas"},
    {50104, 59, "Port"},
    {50105, 59, "Wersja"},
    {50106, 59, "Pole"},
    {50107, 59, "Stara wartość"},
    {50108, 59, "Nowa wartość"},
    {50109, 59, "Wynik"},
    {50110, 59, "potwierdzony"},
    {50111, 59, "brak potwierdzenia"},
    {50112, 199, "Zapisać w sterowniku poprzednią wartość pola %1: %2 (teraz %3) ?"},
    {50113, 199, "Brak połączenia ze sterownikiem - nie można cofnąć zapisu."},
    {50114, 199, "Ostatni zapis w dzienniku dotyczy innego sterownika (port %1, wersja %2) - nie można go cofnąć."},
    {50115, 199, "W dzienniku nie ma zapisu, który można cofnąć."},
    {50116, 199, "Sterownik nie potwierdził zapisu."},
    {50117, 59, "Zapisz Parametry"},
    {50118, 59, "Reset Parametrów"},
    {50119, 59, "Reset przed autoadaptacją"},
    {50120, 59, "Odczyt z pliku"},
    // Live recording and replay.
    {50210, 99, "Nagrywanie do pliku:"},
    {50211, 99, "Nagrywanie zakończone, zapisano wierszy:"},
    {50212, 99, "Błąd zapisu, nagrywanie zatrzymane:"},
    {50213, 99, "Nie mogę utworzyć pliku nagrania:"},
    {50214, 99, "Nagrywanie zatrzymane: brak połączenia ze sterownikiem"},
    {50215, 99, "Odtwarzanie:"},
    {50216, 99, "wstrzymane (Spacja wznawia)"},
    {50217, 99, "koniec nagrania"},
    {50218, 99, "Nie mogę odtworzyć nagrania"},
    {50219, 99, "wiersz"},
    {50220, 99, "Pliki CSV (*.csv)"},
    // Comparing the pages with a parameter file; port problems at start-up.
    {50301, 99, "Porównanie parametrów"},
    {50302, 99, "Parametr"},
    {50303, 99, "Na stronach"},
    {50304, 99, "W pliku"},
    {50305, 99, "Wczytaj plik"},
    {50306, 99, "Zamknij"},
    {50307, 199, "Parametry na stronach i w pliku są takie same."},
    {50308, 99, "Różniących się wartości: %1"},
    {50310, 299, "Nie można otworzyć portu %1 (%2): nie należysz do grupy %3. Polecenie, które to naprawi:"},
    {50311, 299, "Port %1 (%2) zajmuje program %3. Polecenie, które to naprawi:"},
    {50312, 199, "Potem wyloguj się i zaloguj ponownie."},
    {50320, 99, "Histereza przełączenia b-g (okres)"},
    {50321, 99, "Kod wyjścia emulacji"},
    {50322, 99, "Sonda lambda rosnąca (bajt flag A, bit 1)"},
    {50323, 99, "Bity 7-3 bajtu flag B (sterownika)"},
    // Values the controller did not give; the default set at start-up.
    {51000, 299, "Wartości nie odczytano ze sterownika (brak poprawnej odpowiedzi), dlatego pole jej nie pokazuje. Wpisana lub wybrana tu wartość zostanie zapisana w sterowniku."},
    {51001, 199, "Nie odczytano %1 z 35 parametrów: %2"},
    {51002, 299, "Tych wartości nie odczytano ze sterownika; w pliku będą zamiast nich wartości domyślne lub poprzednie: %1. Zapisać plik mimo to ?"},
    {51003, 299, "Tych wartości nie odczytano ze sterownika; porównanie pokaże zamiast nich wartości domyślne lub poprzednie: %1. Porównać mimo to ?"},
    {51004, 299, "Tych wartości nie odczytano ze sterownika; do sterownika trafią zamiast nich wartości domyślne lub poprzednie: %1. Zapisać mimo to ?"},
    {51005, 199, "strony pokazują zestaw domyślny, nie parametry samochodu"},
    {51006, 99, "Sterownik nie odpowiada (%1)"},
    // Bulk writes and what the controller confirmed of them.
    {51050, 199, "Sterownik potwierdził zapis wszystkich 35 parametrów"},
    {51051, 199, "Sterownik potwierdził zapis wszystkich 35 parametrów (%1 zapisano ponownie pojedynczo)"},
    {51052, 199, "Sterownik nie potwierdził zapisu %1 z 35 parametrów: %2 - może mieć teraz mieszany zestaw parametrów"},
    {51053, 199, "Sterownik nie potwierdził zapisu żadnego z 35 parametrów"},
    {51054, 99, "bajt flag A (adres 32)"},
    {51055, 99, "bajt flag B (adres 30)"},
    // How the journal marks entries towards undo.
    {51060, 99, "bez zmiany wartości - pomijany przy cofaniu"},
    {51061, 99, "cofnięcie zapisu"},
    {51062, 99, "cofnięty"},
    {51063, 99, "następny do cofnięcia"},
    // Why the auto-adaptation does not start.
    {51102, 199, "Nie można rozpocząć autoadaptacji: brak połączenia ze sterownikiem."},
    {51103, 299,
     "Nie można rozpocząć autoadaptacji: nie odczytano %1 z 35 parametrów sterownika. Reset zachowuje "
     "ustawienie czujnika temperatury odczytane ze sterownika - proszę ponownie odczytać parametry."},
    // Journal files that cannot be read, undo on another set, parameter files'
    // status, ports that are not serial ports.
    {51150, 299, "Nie można odczytać pliku dziennika %1 (%2); pokazano wpisy, które dało się odczytać."},
    {51151, 99, "to folder, a nie plik"},
    {51152, 99, "to nie jest zwykły plik"},
    {51153, 59, "błędny czas:"},
    {51154, 299, "Uwaga: sterownik ma teraz inny zestaw parametrów niż ten, do którego trafił ten zapis (inny samochód albo późniejsze zmiany)."},
    {51160, 199, "Zapisano plik %1"},
    {51161, 199, "poprzednia wersja: %1"},
    {51162, 199, "starsza kopia %1 pozostała bez zmian"},
    {51163, 199, "Nie zapisano pliku %1: %2"},
    {51164, 199, "nie można utworzyć pliku w tym folderze"},
    {51165, 199, "błąd zapisu"},
    {51166, 199, "nie można zastąpić pliku"},
    {51167, 199, "nie można zachować poprzedniego pliku jako %1, plik pozostał bez zmian"},
    {51170, 199, "Wczytano plik %1"},
    {51171, 199, "Nie wczytano pliku %1: %2"},
    {51172, 199, "to nie jest zwykły plik"},
    {51173, 199, "parametry zapisano w sterowniku"},
    {51180, 299, "%1 (%2) nie jest portem szeregowym - nic tam nie wysłano."},
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
    {51310, 199, "nie ma takiego pliku"},
    {51311, 199, "nie można otworzyć pliku (%1)"},
    {51312, 199, "to folder, a nie plik nagrania"},
    {51313, 199, "to nie jest zwykły plik (kolejka FIFO albo urządzenie?) - odtwarzany jest tylko plik nagrania"},
    {51314, 199, "plik jest za duży jak na nagranie"},
    {51315, 199, "nie można odczytać pliku (%1)"},
    {51316, 199, "plik jest pusty"},
    {51317, 199, "to nie jest nagranie danych na żywo: pierwszy wiersz nie jest nagłówkiem nagrania"},
    {51318, 199, "nagranie nie zawiera żadnego odczytu"},
    {51319, 199, "kolumn: %1 zamiast %2"},
    {51320, 199, "więcej niż %1 kolumn"},
    {51321, 199, "kolumna %1 (%2): %3"},
    {51322, 199, "czas się cofa"},
    {51323, 199, "to nie jest czas w sekundach z najwyżej trzema cyframi po kropce"},
    {51324, 199, "to nie jest 0 ani 1"},
    {51325, 199, "to nie jest liczba całkowita 0..255"},
    {51326, 199, "to nie jest bajt stanu 0x00..0xFF"},
    {51327, 199, "to nie jest liczba całkowita 0..65535"},
    {51328, 199, "to nie jest stała zapłonu"},
    {51329, 199, "to nie jest czas UTC w postaci 2026-12-08T07:32:05.123Z"},
    {51330, 99, "Oczekiwany nagłówek nagrania:"},
    {51331, 99, "Pierwszy wiersz pliku:"},
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
    {51431, 99, "Raport dla klienta"},
    {51432, 99, "Numer rejestracyjny"},
    {51433, 99, "Marka i model"},
    {51434, 99, "Przebieg"},
    {51435, 99, "Warsztat"},
    {51436, 99, "Dołącz zamrożony obraz oscyloskopu"},
    {51437, 99, "Zapisz jako PDF…"},
    {51438, 99, "Drukuj…"},
    {51439, 99, "Zamknij"},
    {51440, 99, "Dokumenty PDF"},
    {51441, 199, "Nie można zapisać raportu w pliku %1"},
    {51442, 199, "Zapisano raport w pliku %1"},
    {51443, 199, "Nie można wydrukować raportu"},
    {51444, 199, "Zamroź oscyloskop na stronie wizualizacji (menu kontekstowe), aby dołączyć jego obraz"},
    {51445, 99, "Raport z regulacji instalacji LPG"},
    {51446, 99, "Data"},
    {51447, 99, "Sterownik"},
    {51448, 99, "typ %1, wersja oprogramowania %2"},
    {51449, 199, "niepodłączony: wartości ze stron programu, nie odczytane ze sterownika"},
    {51450, 199, "niepodłączony; parametry z pliku %1"},
    {51451, 99, "Parametry"},
    {51452, 99, "Parametr"},
    {51453, 99, "Wartość"},
    {51454, 99, "nie odczytano"},
    {51455, 99, "? (nie odczytano typu zapłonu)"},
    {51456, 299, "„nie odczytano”: sterownik nie podał tej wartości, więc raport jej nie pokazuje."},
    {51457, 99, "Autoadaptacja w tej sesji: zakończona"},
    {51458, 99, "Autoadaptacja w tej sesji: przerwana przed końcem"},
    {51459, 99, "TPS: dolny / próg / górny"},
    {51460, 99, "Sonda lambda: uboga / próg / bogata"},
    {51461, 99, "Emulacja sondy: TH / TL"},
    {51462, 99, "Silnik krokowy powyżej progu TPS: min / max / start"},
    {51463, 99, "Silnik krokowy poniżej progu TPS: min / max / start"},
    {51464, 199, "Zapisy niepotwierdzone przez sterownik (adresy)"},
    {51465, 199, "Pomiary przy zawodnym połączeniu"},
    {51466, 99, "Obraz oscyloskopu (zamrożony)"},
    {51467, 99, "Strona %1 z %2"},
    {51468, 99, "Podpis i pieczęć warsztatu"},
    {51469, 299, "„nie odczytano”: plik jest krótszy niż pełny zestaw i nie zawiera tej wartości."},
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
    {51481, 199, "podłączony; typ i wersja nieznane (brak czystej odpowiedzi na identyfikację)"},
    {51482, 199, "Sterownik przestał odpowiadać przy adresie %1"},
    {51483, 199, "Odpowiedzi sterownika pozostały zakłócone od adresu %1"},
    {51484, 199, "Połączenie przerwane przy adresie %1"},
    {51485, 199, "Sterownik nie odpowiadał poprawnie przed odczytem"},
    {51486, 99, "o %1 dalszych parametrów nie pytano"},
    {51487, 199, "Adapter portu %1 wrócił, ale sterownik nie podał czystej identyfikacji - wybierz port z menu"},
    // Why a save was refused: the name holds no regular file.
    {51500, 199, "to jest folder, nie plik"},
    {51501, 199, "to jest potok nazwany (FIFO), nie zwykły plik"},
    {51502, 199, "to jest urządzenie znakowe, nie zwykły plik"},
    {51503, 199, "to jest urządzenie blokowe, nie zwykły plik"},
    {51504, 199, "to jest gniazdo (socket), nie zwykły plik"},
    {51505, 199, "dowiązania symboliczne tworzą pętlę"},
    {51506, 199, "dowiązanie do %1: %2"},
    {51507, 299, "Ustawienia programu nie będą zapamiętane w %1: %2"},
    // The controller's lambda threshold against the probe's swing (live page).
    {51530, 299, "Próg sterownika %1 V leży poniżej napięć sondy %2-%3 V: sterownik zawsze widzi mieszankę %4. "
                 "To ustawienie do poprawienia, nie wada sondy."},
    {51531, 299, "Próg sterownika %1 V leży powyżej napięć sondy %2-%3 V: sterownik zawsze widzi mieszankę %4. "
                 "To ustawienie do poprawienia, nie wada sondy."},
    {51532, 299, "Próg sterownika %1 V leży daleko od środka napięć sondy %2-%3 V (%4 V): sterownik przeważnie "
                 "widzi mieszankę %5. To ustawienie do poprawienia, nie wada sondy."},
    {51533, 99, "bogatą"},
    {51534, 99, "ubogą"},
    // A lambda probe that fails during the adaptation.
    {51535, 299, "Sonda lambda: %1, napięcia %2-%3 V. Sprawdź sondę i jej podłączenie (zimna sonda też nie "
                 "przełącza)."},
    {51536, 299, "Sonda lambda: %1, napięcia %2-%3 V. Próg sondy i dalsze wyniki autoadaptacji byłyby wątpliwe. "
                 "Kontynuować mimo to ?"},
    {51537, 199, "Autoadaptację kontynuowano: wyniki są wątpliwe."},
    {51538, 199, "Autoadaptację przerwano: nic więcej nie zapisano w sterowniku."},
    {51539, 99, "Sonda lambda podczas autoadaptacji"},
    {51540, 199, "%1, %2-%3 V: wyniki wątpliwe"},
    {51541, 199, "%1, %2-%3 V: autoadaptację przerwano"},
    // The controller's set kept before a bulk write, and its undo.
    {51560, 199, "kopia poprzednich parametrów: %1"},
    {51561, 199, "bez kopii poprzednich parametrów - nie zostały odczytane w całości"},
    {51562, 199, "nie zapisano kopii poprzednich parametrów %1: %2"},
    {51563, 199, ", ale pamięć RAM odświeżono tylko dla %1 z 32 adresów - zapisz parametry ponownie"},
    {51564, 299, "Wczytać plik %1 i zapisać go w sterowniku?"},
    {51565, 299, "Parametry sterownika nie zostały odczytane w całości - nie powstanie kopia poprzednich parametrów."},
    {51566, 299, "Zapisać w sterowniku kopię parametrów sprzed zapisu „%1” z %2 (%3)?"},
    {51567, 199, "Nie można odczytać kopii parametrów %1 (%2) - nie można cofnąć zapisu."},
    {51568, 99, "Przywrócenie kopii parametrów"},
    {51569, 199, "plik nie ma 64 bajtów"},
    {51570, 199, "Liczba zmienianych wartości: %1"},
};

std::ptrdiff_t indexOf(int key)
{
    const auto* end = std::end(slotTable);
    const auto* it = std::lower_bound(std::begin(slotTable), end, key,
                                      [](const SlotDefinition& row, int k) { return row.key < k; });
    return it != end && it->key == key ? it - std::begin(slotTable) : -1;
}

}  // namespace

std::span<const SlotDefinition> slotDefinitions() { return slotTable; }

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

TextSlots::TextSlots() { restoreBuiltIn(); }

void TextSlots::restoreBuiltIn()
{
    texts_.clear();
    for (const SlotDefinition& row : slotTable)
        texts_.emplace_back(row.builtIn);
}

bool TextSlots::has(int key) const { return indexOf(key) >= 0; }

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
