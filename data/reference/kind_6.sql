-- Articles and meal categories proposed to a new management file of a lycée with boarding:
-- unit prices in dinars (per kilogram unless the designation names another unit), empty store.

CREATE TABLE articles_organisme_6 (
    CODE_ART    INTEGER PRIMARY KEY,
    DESIGNATION VARCHAR(50),
    PU          DOUBLE,
    CODE_FOUR   INTEGER,
    QT31DEC     DOUBLE,
    PU31DEC     DOUBLE,
    VAL31DEC    DOUBLE
);

INSERT INTO articles_organisme_6 (CODE_ART, DESIGNATION, PU, CODE_FOUR, QT31DEC, PU31DEC, VAL31DEC) VALUES
    -- Cereals, flours, pasta and bread
    (101, 'SEMOULE FINE', 50.00, 0, 0, 0, 0),
    (103, 'COUSCOUS', 130.00, 0, 0, 0, 0),
    (104, 'PATES ALIMENTAIRES', 120.00, 0, 0, 0, 0),
    (105, 'VERMICELLE', 130.00, 0, 0, 0, 0),
    (106, 'LANGUES D''OISEAU', 130.00, 0, 0, 0, 0),
    (107, 'FRIK', 280.00, 0, 0, 0, 0),
    (108, 'RIZ', 160.00, 0, 0, 0, 0),
    (109, 'FARINE', 60.00, 0, 0, 0, 0),
    (111, 'PAIN (UNITE)', 10.00, 0, 0, 0, 0),
    -- Pulses
    (201, 'LENTILLES', 260.00, 0, 0, 0, 0),
    (202, 'HARICOTS SECS', 300.00, 0, 0, 0, 0),
    (203, 'POIS CHICHES', 330.00, 0, 0, 0, 0),
    -- Fats and oils
    (301, 'HUILE DE TABLE (L)', 130.00, 0, 0, 0, 0),
    (302, 'BEURRE', 1600.00, 0, 0, 0, 0),
    (303, 'MARGARINE', 500.00, 0, 0, 0, 0),
    -- Sugar and sweet products
    (401, 'SUCRE', 90.00, 0, 0, 0, 0),
    (402, 'CONFITURE', 420.00, 0, 0, 0, 0),
    (403, 'MIEL', 3500.00, 0, 0, 0, 0),
    (404, 'CHOCOLAT', 1500.00, 0, 0, 0, 0),
    (407, 'HALWA TURK', 900.00, 0, 0, 0, 0),
    (408, 'BISCUITS', 450.00, 0, 0, 0, 0),
    -- Coffee, tea and drinks
    (501, 'CAFE', 1400.00, 0, 0, 0, 0),
    (502, 'THE', 1400.00, 0, 0, 0, 0),
    (503, 'JUS DE FRUITS (L)', 150.00, 0, 0, 0, 0),
    (504, 'EAU MINERALE (BOUTEILLE)', 35.00, 0, 0, 0, 0),
    -- Milk, dairy products and eggs
    (601, 'LAIT EN POUDRE (KG)', 1000.00, 0, 0, 0, 0),
    (602, 'LAIT UHT (L)', 130.00, 0, 0, 0, 0),
    (603, 'LAIT PASTEURISE EN SACHET (L)', 25.00, 0, 0, 0, 0),
    (604, 'LAIT CAILLE (L)', 70.00, 0, 0, 0, 0),
    (605, 'YAOURT (POT)', 25.00, 0, 0, 0, 0),
    (606, 'FROMAGE EN PORTIONS (BOITE DE 16)', 300.00, 0, 0, 0, 0),
    (607, 'CAMEMBERT (PIECE)', 250.00, 0, 0, 0, 0),
    (609, 'CREME DESSERT (POT)', 35.00, 0, 0, 0, 0),
    (611, 'OEUFS (UNITE)', 18.00, 0, 0, 0, 0),
    -- Meat and poultry
    (701, 'POULET', 380.00, 0, 0, 0, 0),
    (703, 'VIANDE OVINE', 2400.00, 0, 0, 0, 0),
    (704, 'VIANDE BOVINE', 2200.00, 0, 0, 0, 0),
    (705, 'VIANDE BOVINE HACHEE', 2000.00, 0, 0, 0, 0),
    (706, 'MERGUEZ', 1600.00, 0, 0, 0, 0),
    -- Fish
    (801, 'SARDINES', 800.00, 0, 0, 0, 0),
    (802, 'THON EN BOITE', 1500.00, 0, 0, 0, 0),
    (804, 'FILET DE POISSON CONGELE', 900.00, 0, 0, 0, 0),
    -- Tins and condiments
    (901, 'TOMATE CONCENTREE', 360.00, 0, 0, 0, 0),
    (902, 'HARISSA', 500.00, 0, 0, 0, 0),
    (903, 'MAYONNAISE', 600.00, 0, 0, 0, 0),
    (905, 'VINAIGRE (L)', 80.00, 0, 0, 0, 0),
    (906, 'OLIVES', 700.00, 0, 0, 0, 0),
    (907, 'PETITS POIS EN CONSERVE', 300.00, 0, 0, 0, 0),
    -- Spices and seasonings
    (1001, 'SEL', 30.00, 0, 0, 0, 0),
    (1002, 'POIVRE NOIR', 2200.00, 0, 0, 0, 0),
    (1003, 'CUMIN', 1600.00, 0, 0, 0, 0),
    (1004, 'PAPRIKA', 1200.00, 0, 0, 0, 0),
    (1005, 'CANNELLE', 1800.00, 0, 0, 0, 0),
    (1006, 'RAS EL HANOUT', 1600.00, 0, 0, 0, 0),
    (1007, 'CARVI', 1400.00, 0, 0, 0, 0),
    (1008, 'LAURIER', 900.00, 0, 0, 0, 0),
    (1009, 'PERSIL (BOTTE)', 30.00, 0, 0, 0, 0),
    (1010, 'CORIANDRE (BOTTE)', 30.00, 0, 0, 0, 0),
    (1011, 'MENTHE (BOTTE)', 30.00, 0, 0, 0, 0),
    -- Fresh vegetables
    (1101, 'POMME DE TERRE', 70.00, 0, 0, 0, 0),
    (1102, 'OIGNONS', 60.00, 0, 0, 0, 0),
    (1103, 'AIL', 600.00, 0, 0, 0, 0),
    (1104, 'CAROTTES', 80.00, 0, 0, 0, 0),
    (1105, 'COURGETTES', 100.00, 0, 0, 0, 0),
    (1106, 'NAVETS', 80.00, 0, 0, 0, 0),
    (1107, 'PIMENT', 200.00, 0, 0, 0, 0),
    (1108, 'POIVRONS', 180.00, 0, 0, 0, 0),
    (1109, 'TOMATES FRAICHES', 120.00, 0, 0, 0, 0),
    (1110, 'SALADE VERTE', 100.00, 0, 0, 0, 0),
    (1111, 'CHOU-FLEUR', 90.00, 0, 0, 0, 0),
    (1112, 'HARICOTS VERTS', 250.00, 0, 0, 0, 0),
    (1113, 'BETTERAVES', 80.00, 0, 0, 0, 0),
    (1114, 'AUBERGINES', 100.00, 0, 0, 0, 0),
    (1115, 'CITROUILLE', 80.00, 0, 0, 0, 0),
    (1116, 'CITRONS', 300.00, 0, 0, 0, 0),
    -- Fresh and dried fruit
    (1201, 'ORANGES', 200.00, 0, 0, 0, 0),
    (1202, 'BANANES', 300.00, 0, 0, 0, 0),
    (1203, 'POMMES', 350.00, 0, 0, 0, 0),
    (1204, 'MANDARINES', 250.00, 0, 0, 0, 0),
    (1205, 'POIRES', 350.00, 0, 0, 0, 0),
    (1206, 'DATTES', 600.00, 0, 0, 0, 0),
    (1207, 'RAISINS SECS', 900.00, 0, 0, 0, 0),
    (1208, 'PRUNEAUX', 1200.00, 0, 0, 0, 0);

CREATE TABLE categories_organisme_6 (
    code_categ INTEGER PRIMARY KEY,
    lib_fr     VARCHAR(50),
    lib_ar     VARCHAR(50)
);

INSERT INTO categories_organisme_6 (code_categ, lib_fr, lib_ar) VALUES
    (1, 'Demi-pensionnaires', 'التلاميذ نصف الداخليين'),
    (2, 'Elèves internes', 'التلاميذ الداخليون'),
    (3, 'Enseignants', 'الأساتذة'),
    (4, 'Adjoint d''éducation', 'مساعدو التربية'),
    (5, 'Ouvriers professionnels', 'العمال المهنيون'),
    (6, 'Personnel Hospitalisé (Table commune)', 'المستخدمون المستفيدون من المائدة المشتركة'),
    (7, 'Passagers / Invités', 'العابرون / الضيوف');
