// The demo's fixed texts.
#include "softblit/demo/texts.h"

#include "softblit/core/string.h"

const char* const Demo_WindowTitle = "Blit Example (Via Software!)";

const char* const Demo_EffectTitles[DEMO_EFFECT_COUNT] = {
    "BILINEAR FILTERING", "ALPHA BLENDING", "BOUNCING BALLS", "BUMP MAPPING", "WARPING TEXT",
};

const char* const Demo_WarpLines[DEMO_WARP_LINE_COUNT] = {
    "-------------------------------------",
    " ECCO UN BELL'EFFETTO DI TEXT WARPING",
    "COME QUELLI CHE SI TROVANO NEI VECCHI",
    "CRACK INTRO DELL'AMIGA... IL TESTO E'",
    "BELLO DA VEDERE MA SOLITAMENTE NON DI",
    "CE NULLA DI CONCRETO, ERA COSI' PER I",
    " DEMO DEL PASSATO E CREDO CHE ADESSO ",
    "SIA LO STESSO... IN ALCUNI DEMO VENI",
    "VANO SCRITTI DEGLI INDIRIZZI DI ABITA",
    "ZIONI PERCHE' A QUEI TEMPI NON ESISTE",
    "VANO LE EMAIL, MA DATO CHE ADESSO",
    "C'E' INTERNET VI INVITO A VISITARE IL",
    "SITO DEL PROGETTO. CIAO CIAO!!!   ",
    "-------------------------------------",
};

// An introduction to the framework, then the credits (the last three pieces).
const char* const Demo_ScrollPieces[DEMO_SCROLL_PIECE_COUNT] = {
    "Benvenuto nel primo demo programmato per mostrare le potenzialita' ",
    "di questo framework grafico 2D scritto in C++, che disegna ogni pixel via software. ",
    "Tutto cio' che vedi e' calcolato dalla CPU: il sistema apre solo la finestra e mostra il fotogramma finito. ",
    "Il cuore e' un motore di blitting in virgola fissa per immagini ruotate, scalate e specchiate. ",
    "Ogni blit puo' usare un piano alfa, un'opacita' globale e un colore chiave trasparente. ",
    "Il filtro bilineare ammorbidisce gli ingrandimenti: nel primo effetto una piccola figura cresce fino a undici volte. ",
    "Le superfici sono pile di piani, colore e alfa, di cui il display tiene una copia nel proprio formato. ",
    "Le immagini conoscono quarantasette formati di pixel e si convertono da uno all'altro. ",
    "Ci sono i caricatori per BMP, PCX e TGA, e ogni oggetto si salva e si ricarica da file. ",
    "I font sono bitmap: si ritagliano da una griglia o si generano da un font vettoriale. ",
    "Questo testo scorre su un'onda e ogni lettera ruota per seguirne la pendenza. ",
    "Il bump mapping illumina un rilievo con una luce che si muove, calcolata pixel per pixel. ",
    "Le palline che rimbalzano si fondono con lo sfondo grazie al loro canale alfa. ",
    "Linee, punti, rettangoli e cerchi, pieni o vuoti, vengono dalle primitive del framework. ",
    "Le stelle sullo sfondo sono tremila punti su tre piani, ognuno con la sua velocita'. ",
    "Il ciclo non ha freni: in alto a destra vedi quanti fotogrammi al secondo disegna la CPU. ",
    "Il tasto sinistro del mouse torna all'effetto precedente, il destro passa al successivo; dopo trenta secondi si cambia da soli. ",
    "Premi Esc per uscire: alla chiusura questo testo viene stampato sul terminale. ",
    "Crediti: codice, grafica, font e testi sono opera del gruppo di sviluppo di questo progetto, con pazienza e parecchio caffe'. ",
    "Un saluto a chi scrive ancora codice per il puro piacere di veder muovere qualcosa sullo schermo, un pixel alla volta. ",
    "Grazie per aver guardato fino alla fine... ora il testo ricomincia da capo! ",
};

bool Demo_BuildScrollText(C_String* text) {
    if (!text) return false;
    char blanks[DEMO_SCROLL_BLANKS / 2 + 1];
    for (uint32_t i = 0; i < DEMO_SCROLL_BLANKS / 2; ++i) blanks[i] = ' ';
    blanks[DEMO_SCROLL_BLANKS / 2] = 0;
    *text = blanks;
    *text += C_String(blanks);
    for (const char* piece : Demo_ScrollPieces) *text += C_String(piece);
    return text->GetLength() == DEMO_SCROLL_LENGTH;
}
