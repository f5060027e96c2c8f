-- Tables of a management file. Types: INTEGER for the 32- and 16-bit integers, DOUBLE for amounts and
-- quantities, VARCHAR(n) for texts (the program enforces the widths), DATE for days stored as 'YYYY-MM-DD'.

CREATE TABLE ARTICLES (
    CODE_ART    INTEGER PRIMARY KEY,
    DESIGNATION VARCHAR(50),
    PU          DOUBLE,
    CODE_FOUR   INTEGER,
    QT31DEC     DOUBLE,
    PU31DEC     DOUBLE,
    VAL31DEC    DOUBLE
);

CREATE TABLE STOCK (
    NUM_MVT   INTEGER PRIMARY KEY,
    CODE_ART  INTEGER,
    NAT_OP    SMALLINT,
    DATE_OP   DATE,
    QUANTITE  DOUBLE,
    PU        DOUBLE,
    CODE_FOUR INTEGER,
    NUM_BC    INTEGER,
    DATE_BC   DATE,
    NUM_BL    INTEGER,
    DATE_BL   DATE,
    OBS       VARCHAR(50)
);
-- One article's movements in day order: the daily figures, the price lots and the history. It holds every
-- column these read, in the order the figures are summed, so that they are read from the index alone.
CREATE INDEX STOCK_ARTICLE_DAY_FIGURES ON STOCK (CODE_ART, DATE_OP, NUM_MVT, NAT_OP, QUANTITE, PU);
-- A supplier's entries over a period: the invoices.
CREATE INDEX STOCK_SUPPLIER_DAY ON STOCK (CODE_FOUR, DATE_OP);
-- The movements of a day by nature: a day's exits per meal read from the index alone, and the whole
-- year's values per day and nature read in order without sorting.
CREATE INDEX STOCK_DAY_NATURE ON STOCK (DATE_OP, NAT_OP, QUANTITE, PU);

CREATE TABLE fournisseur (
    code_four    INTEGER PRIMARY KEY,
    groupe       VARCHAR(1),
    nom_prenom   VARCHAR(50),
    daten        DATE,
    villen       VARCHAR(15),
    adresse      VARCHAR(40),
    c_postal     VARCHAR(7),
    ville        VARCHAR(15),
    tel          VARCHAR(14),
    fax          VARCHAR(14),
    n_regc       VARCHAR(20),
    codefisc     VARCHAR(20),
    n_impot      VARCHAR(20),
    rsociale     VARCHAR(50),
    specialite   VARCHAR(30),
    centre       VARCHAR(14),
    code_banque  VARCHAR(3),
    code_agence  VARCHAR(5),
    num_compte   VARCHAR(10),
    cle_controle VARCHAR(2),
    pi_nature    VARCHAR(20),
    pi_numero    VARCHAR(10),
    pi_dlv_le    DATE,
    pi_dlv_a     VARCHAR(15),
    montant_max  DOUBLE
);

CREATE TABLE FACTURES (
    CODE_FOUR    INTEGER NOT NULL,
    NUM_FACTURE  INTEGER NOT NULL,
    DATE_FACTURE DATE,
    PERIODE_DU   DATE,
    PERIODE_AU   DATE,
    OBS          VARCHAR(40),
    TVA          DOUBLE DEFAULT 0,
    PRIMARY KEY (CODE_FOUR, NUM_FACTURE)
);

CREATE TABLE etat_mensuel (
    mois            SMALLINT PRIMARY KEY,
    dep_mois        DOUBLE,
    nbr_mois        INTEGER,
    credit_aut_mois DOUBLE,
    nbr_aut_mois    INTEGER,
    valeur_31dec    DOUBLE,
    depense_enreg   DOUBLE,
    creance         DOUBLE,
    total_depense   DOUBLE
);

CREATE TABLE categories (
    code_categ INTEGER PRIMARY KEY,
    lib_fr     VARCHAR(50),
    lib_ar     VARCHAR(50)
);

CREATE TABLE menu_menu (
    date_menu DATE PRIMARY KEY,
    menu1     VARCHAR(250),
    menu2     VARCHAR(250),
    menu3     VARCHAR(250),
    menu4     VARCHAR(250)
);

CREATE TABLE menu_effect (
    date_menu  DATE NOT NULL,
    code_categ INTEGER NOT NULL,
    m1         INTEGER,
    m2         INTEGER,
    m3         INTEGER,
    m4         INTEGER,
    PRIMARY KEY (date_menu, code_categ)
);

CREATE TABLE menu_liste (
    date_menu  DATE NOT NULL,
    code_categ INTEGER NOT NULL,
    num_ord    INTEGER NOT NULL,
    nom        VARCHAR(50),
    m1         INTEGER,
    m2         INTEGER,
    m3         INTEGER,
    m4         INTEGER,
    PRIMARY KEY (date_menu, code_categ, num_ord)
);

CREATE TABLE menu_liste_defaut (
    code_categ INTEGER,
    num_ord    INTEGER,
    nom        VARCHAR(50),
    m1         INTEGER,
    m2         INTEGER,
    m3         INTEGER,
    m4         INTEGER
);

CREATE TABLE options (
    organisme INTEGER,
    gestion   INTEGER,
    langue    VARCHAR(10),
    faita     VARCHAR(50),
    regime    INTEGER
);

CREATE TABLE version (
    version VARCHAR(50)
);

CREATE TABLE organismes (
    organisme INTEGER PRIMARY KEY,
    libelle   VARCHAR(100),
    ministere VARCHAR(150)
);

-- Tables of older files, read only by the conversion, which moves their rows into the tables above.
CREATE TABLE menus (
    date_menu DATE,
    menu1 VARCHAR(250), menu2 VARCHAR(250), menu3 VARCHAR(250), menu4 VARCHAR(250),
    PN11 INTEGER, PN12 INTEGER, PN13 INTEGER, PN14 INTEGER, PN15 INTEGER, PN16 INTEGER, PN17 INTEGER,
    PN21 INTEGER, PN22 INTEGER, PN23 INTEGER, PN24 INTEGER, PN25 INTEGER, PN26 INTEGER, PN27 INTEGER,
    PN31 INTEGER, PN32 INTEGER, PN33 INTEGER, PN34 INTEGER, PN35 INTEGER, PN36 INTEGER, PN37 INTEGER,
    PN41 INTEGER, PN42 INTEGER, PN43 INTEGER, PN44 INTEGER, PN45 INTEGER, PN46 INTEGER, PN47 INTEGER
);

CREATE TABLE MENU_HOSPITALISE (
    date_menu DATE,
    num_ord   INTEGER,
    nom       VARCHAR(50),
    m1        INTEGER,
    m2        INTEGER,
    m3        INTEGER
);

INSERT INTO version VALUES ('ZELVANE-2009-07-26');
