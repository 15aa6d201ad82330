// The windows of the program, created once at start-up in their fixed order
// (src/app) and reached from one another through this set. A window that is
// not built yet has no entry; each joins here when it is built.
#pragma once

namespace tavel {

class TDalsheOkno;
class TFinish;
class TForm1;
class TForm5;
class TGifPokaz;
class TJPGPokaz;
class TKlass;
class TNaborWopr;
class TNastroika;
class TNeotWopr;
class TPoSlovu;
class TRangForm;
class TRedak;
class TRedakWopros;
class TSpisPredm;
class TSpisokPaketov;
class TSysAdmin;
class TTeksti;
class TTeoriya;
class TZagruzka;

struct WindowSet {
    TForm1* form1 = nullptr;         // main window
    TZagruzka* zagruzka = nullptr;   // question-base editor
    TNastroika* nastroika = nullptr; // settings
    TForm5* form5 = nullptr;         // password table
    TSpisPredm* spisPredm = nullptr; // subject list
    TDalsheOkno* dalsheOkno = nullptr; // correct answer "Надо так"
    TTeksti* teksti = nullptr;       // explanations
    TKlass* klass = nullptr;         // matching and classification
    TTeoriya* teoriya = nullptr;     // reference notes
    TGifPokaz* gifPokaz = nullptr;   // GIF pictures
    TJPGPokaz* jpgPokaz = nullptr;   // JPEG pictures
    TNeotWopr* neotWopr = nullptr;   // unanswered questions
    TRedakWopros* redakWopros = nullptr; // question edit
    TRangForm* rangForm = nullptr;   // ranking
    TFinish* finish = nullptr;       // results
    TSysAdmin* sysAdmin = nullptr;   // administrator prompt
    TNaborWopr* naborWopr = nullptr; // package editor
    TPoSlovu* poSlovu = nullptr;     // keyword set
    TRedak* redak = nullptr;         // small edit window (keyword dictionary)
    TSpisokPaketov* spisokPaketov = nullptr; // package list
};

} // namespace tavel
